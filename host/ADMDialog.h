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
     *  GetUserData. The template's dialog units become pixels as for "MS Sans Serif" 8 (a
     *  horizontal unit 6/4 pixels, a vertical one 13/8), and the dialog starts at the
     *  template's position and size. A dialog that initProc ends (EndModal) is not shown.
     *  Returns the ending item's identifier; -1 when the template cannot be read or initProc
     *  fails (the dialog is not shown). Every handle into the dialog dies when Modal returns. */
    int32_t (SPAPI *Modal)(SPPluginRef plugin, const char* name, int32_t resId, int32_t style,
                           ADMDialogInitProc initProc, ADMUserData userData);

    /** The userData given to Modal; NULL for an unknown dialog. */
    ADMUserData (SPAPI *GetUserData)(ADMDialogRef dialog);

    /** The item with this identifier, or NULL. */
    ADMItemRef (SPAPI *GetItem)(ADMDialogRef dialog, int32_t itemId);

    /** Ends the modal loop with itemId as Modal's result. */
    void (SPAPI *EndModal)(ADMDialogRef dialog, int32_t itemId);

    /** Adds an item of the named type (ADMTypes.h) with identifier itemId at bounds (dialog
     *  units, relative to the dialog's top-left corner). The item is visible, enabled, has no
     *  text, value 0, range 0 .. 0 for a spin edit until set, and the default notifier and
     *  tracker. Returns the new item; NULL for a NULL dialog or bounds, an unknown type name or
     *  an identifier the dialog already holds. */
    ADMItemRef (SPAPI *CreateItem)(ADMDialogRef dialog, int32_t itemId, const char* itemType,
                                   const ADMRect* bounds);

    /** Moves and sizes the dialog to bounds (screen units). A NULL dialog or bounds is
     *  ignored. */
    void (SPAPI *SetBoundsRect)(ADMDialogRef dialog, const ADMRect* bounds);

    /** Where the dialog is (screen units); (0, 0, 0, 0) for a NULL dialog. A NULL bounds is
     *  ignored. */
    void (SPAPI *GetBoundsRect)(ADMDialogRef dialog, ADMRect* bounds);

    /** Gives the dialog that width and height, keeping its top-left corner. Negative sizes
     *  are taken as 0. A NULL dialog is ignored. */
    void (SPAPI *Size)(ADMDialogRef dialog, int32_t width, int32_t height);
} ADMDialogSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMDIALOG_H */
