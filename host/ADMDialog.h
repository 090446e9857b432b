/* ADMDialog.h: "ADM Dialog Suite" version 3, modal dialogs built from the plug-in's dialog
 * templates. */
#ifndef HOST_ADMDIALOG_H
#define HOST_ADMDIALOG_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMDialogSuite "ADM Dialog Suite"
#define kADMDialogSuiteVersion 3

typedef struct ADMDialogSuite {
    /** Builds dialog resource resId of the plug-in, with its template's items (identifiers
     *  as in the template), names it name, runs initProc once, then runs the event loop until
     *  an item ends the dialog, and returns that item's identifier. userData is kept for
     *  GetUserData. Returns the ending item's identifier; -1 when the template cannot be read
     *  or initProc fails (the dialog is not shown). */
    int32_t (*Modal)(SPPluginRef plugin, const char* name, int32_t resId, int32_t style,
                     ADMDialogInitProc initProc, ADMUserData userData);

    /** The userData given to Modal; NULL for an unknown dialog. */
    ADMUserData (*GetUserData)(ADMDialogRef dialog);

    /** The item with this identifier, or NULL. */
    ADMItemRef (*GetItem)(ADMDialogRef dialog, int32_t itemId);

    /** Ends the modal loop with itemId as Modal's result. */
    void (*EndModal)(ADMDialogRef dialog, int32_t itemId);
} ADMDialogSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMDIALOG_H */
