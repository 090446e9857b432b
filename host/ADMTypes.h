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
typedef struct ADMTrackerOpaque* ADMTrackerRef;
typedef struct ADMListOpaque* ADMListRef;
typedef struct ADMEntryOpaque* ADMEntryRef;
typedef uint8_t ADMBoolean;
typedef void* ADMUserData;

typedef struct ADMRect {
    int32_t left, top, right, bottom;
} ADMRect;

/** Called once when a modal dialog opens, before it is shown. A non-zero result closes it. */
typedef SPErr (SPAPI *ADMDialogInitProc)(ADMDialogRef dialog);

/** Called when the user changes or presses an item. */
typedef void (SPAPI *ADMItemNotifyProc)(ADMItemRef item, ADMNotifierRef notifier);

/** Called for a mouse event on an item that has a track handler, in place of the item's
 *  default tracking. Returns true when the event was handled. */
typedef ADMBoolean (SPAPI *ADMItemTrackProc)(ADMItemRef item, ADMTrackerRef tracker);

/** Item type names given to ADMDialogSuite's CreateItem. */
#define kADMSpinEditType "ADM Spin Edit Type"
#define kADMTextStaticType "ADM Text Static Type"
#define kADMPopupListType "ADM Popup List Type"
#define kADMTextCheckBoxType "ADM Text Check Box Type"
#define kADMTextPushButtonType "ADM Text Push Button Type"
#define kADMPicturePushButtonType "ADM Picture Push Button Type"

/** Units of a numeric item (ADMItemSuite's SetUnits). */
enum {
    kADMNoUnits = 0  /**< plain numbers */
};

/** Modifier bits of an event (ADMTrackerSuite's GetModifiers). */
enum {
    kADMShiftKeyModifier = 0x01,
    kADMControlKeyModifier = 0x04,
    kADMAltKeyModifier = 0x08,
    kADMPickModifier = 0x20  /**< the event picks a point of the document: the host sets it
                                  for a click on a picture button that comes with a point
                                  (Easel: --pick ID=H,V, or the window's pick gesture) */
};

/** Dialog styles. */
enum {
    kADMModalDialogStyle = 0
};

#define kADMUserChangedNotifier "ADM User Changed Notifier"

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMTYPES_H */
