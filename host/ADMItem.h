/* ADMItem.h: "ADM Item Suite" version 4, the items of a dialog. */
#ifndef HOST_ADMITEM_H
#define HOST_ADMITEM_H

#include "ADMTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kADMItemSuite "ADM Item Suite"
#define kADMItemSuiteVersion 4

typedef struct ADMItemSuite {
    /** Sets the procedure called when the user changes or presses the item; NULL restores
     *  the default behaviour. A NULL item is ignored. */
    void (*SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);

    /** The item's normal reaction to notifier: the dialog's default and cancel items (1 and
     *  2) end the dialog with their identifier; other items do nothing more. */
    void (*DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);

    /** Sets the item's text (terminated, copied). A NULL item or text is ignored. */
    void (*SetText)(ADMItemRef item, const char* text);

    /** The dialog the item belongs to, or NULL. */
    ADMDialogRef (*GetDialog)(ADMItemRef item);

    /** The item's identifier, or 0 for a NULL item. */
    int32_t (*GetID)(ADMItemRef item);
} ADMItemSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMITEM_H */
