/* AIUndo.h: "AI Undo Suite" version 4.
 *
 * The host records every change a plug-in makes to the document during one host message
 * as one transaction. */
#ifndef HOST_AIUNDO_H
#define HOST_AIUNDO_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIUndoSuite "AI Undo Suite"
#define kAIUndoSuiteVersion 4

typedef struct AIUndoSuite {
    /** Rolls the document back to where it stood when the current host message began:
     *  art, layers, symbols and paint made or changed by the plug-in since then are
     *  removed or restored, and their handles become invalid. Calling it again with no
     *  change in between does nothing. Changes made during earlier messages stay.
     *  Returns kSPNoError; kSPNoDocumentError. */
    SPErr (SPAPI *UndoChanges)(void);
} AIUndoSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIUNDO_H */
