/* ADMTypes.h: types shared by the dialog manager suites.
 *
 * Dialog geometry is in the dialog manager's units (pixels), y downward from the dialog's
 * top-left corner. Dialogs, items, lists and entries are owned by the dialog manager; their
 * handles are valid while the dialog is open. */
#ifndef HOST_ADMTYPES_H
#define HOST_ADMTYPES_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct ADMDialogOpaque* ADMDialogRef;
typedef struct ADMItemOpaque* ADMItemRef;
typedef struct ADMNotifierOpaque* ADMNotifierRef;
typedef void* ADMUserData;

typedef struct ADMRect {
    int32_t left, top, right, bottom;
} ADMRect;

/** Called once when a modal dialog opens, before it is shown. A non-zero result closes it. */
typedef SPErr (*ADMDialogInitProc)(ADMDialogRef dialog);

/** Called when the user changes or presses an item. */
typedef void (*ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);

/** Dialog styles. */
enum {
    kADMModalDialogStyle = 0
};

#define kADMUserChangedNotifier "ADM User Changed Notifier"

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMTYPES_H */
