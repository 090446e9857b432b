/* AISymbol.h: "AI Symbol Suite" version 1, the document's symbol list. */
#ifndef HOST_AISYMBOL_H
#define HOST_AISYMBOL_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAISymbolSuite "AI Symbol Suite"
#define kAISymbolSuiteVersion 1

typedef struct AIPatternOpaque* AIPatternHandle;

typedef struct AISymbolSuite {
    /** Adds a symbol to the document's list, defined by a copy of art as it is now (its
     *  geometry, paint and opacity); the art stays on the page, unchanged, and no instance is
     *  placed. The symbol is named "New Symbol" when the list is empty, else "New Symbol N",
     *  N the list's size (or the next number not yet used by a symbol). An envelope is copied
     *  as the outline it shows. *symbol is the symbol's position in the list + 1.
     *  `unused` is reserved and must be 0. *symbol may be NULL when the handle is not wanted.
     *  Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError for a dead or NULL art or
     *  a nonzero `unused`; kSPOutOfMemoryError past the document's memory budget. */
    SPErr (SPAPI *NewSymbolFromArt)(AIArtHandle art, AIPatternHandle* symbol, SPBoolean unused);

    /** Number of symbols in the document's list. Returns kSPNoError; kSPNoDocumentError;
     *  kSPBadParameterError for a NULL count. */
    SPErr (SPAPI *CountSymbols)(int32_t* count);
} AISymbolSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AISYMBOL_H */
