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
    void (SPAPI *SetNotifyProc)(ADMItemRef item, ADMItemNotifyProc proc);

    /** The item's normal reaction to notifier: the dialog's default and cancel items (1 and
     *  2) end the dialog with their identifier; other items do nothing more. An item without
     *  a notify proc reacts this way to the user's changes and to SendNotify. */
    void (SPAPI *DefaultNotify)(ADMItemRef item, ADMNotifierRef notifier);

    /** Sets the item's text (terminated, copied). A spin edit shows its value instead: text
     *  that is a number sets the value (within the limits), other text is ignored. A NULL item
     *  or text is ignored. */
    void (SPAPI *SetText)(ADMItemRef item, const char* text);

    /** The dialog the item belongs to, or NULL. */
    ADMDialogRef (SPAPI *GetDialog)(ADMItemRef item);

    /** The item's identifier, or 0 for a NULL item. */
    int32_t (SPAPI *GetID)(ADMItemRef item);

    /** Sets the procedure called for mouse events on the item; NULL restores the default
     *  tracking. A NULL item is ignored. */
    void (SPAPI *SetTrackProc)(ADMItemRef item, ADMItemTrackProc proc);

    /** The item's normal reaction to the tracked event (a button is pressed and released;
     *  it does not notify). Returns true when the event was handled; false for a NULL or
     *  stale item. A track proc replaces the notifier for the user's clicks: a clicked item
     *  with a track proc has only the track proc called. */
    ADMBoolean (SPAPI *DefaultTrack)(ADMItemRef item, ADMTrackerRef tracker);

    /** Calls the item's notifier at once with a notifier of this type (for example
     *  kADMUserChangedNotifier), as if the user had changed the item. Returns when the
     *  notifier has returned. A NULL item or type is ignored. */
    void (SPAPI *SendNotify)(ADMItemRef item, const char* notifierType);

    /** Shows or hides the item. A NULL item is ignored. */
    void (SPAPI *Show)(ADMItemRef item, ADMBoolean show);

    /** Whether the user can operate the item. A NULL item is ignored. */
    void (SPAPI *Enable)(ADMItemRef item, ADMBoolean enable);

    /** Units of a numeric item (kADMNoUnits) and the decimal places it shows (0 .. 10;
     *  outside that range the nearest). A NULL item is ignored. */
    void (SPAPI *SetUnits)(ADMItemRef item, int32_t units);
    void (SPAPI *SetPrecision)(ADMItemRef item, int32_t places);

    /** Limits of a numeric item; the value is kept within them from then on (a value set
     *  outside them, by code or by the user, becomes the nearer limit). A minimum above the
     *  maximum moves the maximum to it, and the other way round. NaN limits are ignored. */
    void (SPAPI *SetMinIntValue)(ADMItemRef item, int32_t value);
    void (SPAPI *SetMaxIntValue)(ADMItemRef item, int32_t value);
    void (SPAPI *SetMinFloatValue)(ADMItemRef item, float value);
    void (SPAPI *SetMaxFloatValue)(ADMItemRef item, float value);

    /** The item's value: a number for a spin edit (kept exactly as set, shown with the
     *  item's precision), 0 or 1 for a check box (any nonzero value sets 1), the chosen
     *  entry's identifier for a popup list (-1 when none is chosen; setting a value chooses
     *  the first entry with that identifier, and changes nothing when none has it). Set values
     *  are kept within the limits; a NaN is ignored. Setting a value does not notify. Integer
     *  reads round to nearest, saturating at the int32 range. A NULL or stale item reads 0. */
    void (SPAPI *SetIntValue)(ADMItemRef item, int32_t value);
    int32_t (SPAPI *GetIntValue)(ADMItemRef item);
    void (SPAPI *SetFloatValue)(ADMItemRef item, float value);
    float (SPAPI *GetFloatValue)(ADMItemRef item);
    void (SPAPI *SetBooleanValue)(ADMItemRef item, ADMBoolean value);
    ADMBoolean (SPAPI *GetBooleanValue)(ADMItemRef item);

    /** The entry list of a popup list; NULL for other items or a NULL item. The list belongs
     *  to the item. */
    ADMListRef (SPAPI *GetList)(ADMItemRef item);
} ADMItemSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_ADMITEM_H */
