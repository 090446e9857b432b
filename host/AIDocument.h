/* AIDocument.h: "AI Document Suite" version 7, the current document as a whole. */
#ifndef HOST_AIDOCUMENT_H
#define HOST_AIDOCUMENT_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIDocumentSuite "AI Document Suite"
#define kAIDocumentSuiteVersion 7

/** Colour models of a document (16-bit). */
enum {
    kDocGrayColor = 0,
    kDocRGBColor = 1,
    kDocCMYKColor = 2
};

/** The document's setup. width and height come first, and plug-ins may rely on that. */
typedef struct AIDocumentSetup {
    AIReal width;             /**< page width, points */
    AIReal height;            /**< page height, points */
    AIReal outputResolution;  /**< dots per inch for rasterised effects */
    SPBoolean showPlacedImages;
    SPBoolean splitLongPaths;
    int16_t reserved;
} AIDocumentSetup;

typedef struct AIDocumentSuite {
    /** Copies the current document's setup into *setup.
     *  Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError for a null setup. */
    SPErr (SPAPI *GetDocumentSetup)(AIDocumentSetup* setup);

    /** Redraws every view of the current document now, even inside a modal dialog.
     *  Returns kSPNoError; kSPNoDocumentError. */
    SPErr (SPAPI *RedrawDocument)(void);

    /** The current document's colour model, one of kDocGrayColor, kDocRGBColor,
     *  kDocCMYKColor. Returns kSPNoError; kSPNoDocumentError; kSPBadParameterError. */
    SPErr (SPAPI *GetDocumentColorModel)(int16_t* model);
} AIDocumentSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIDOCUMENT_H */
