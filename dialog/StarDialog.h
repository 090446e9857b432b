// StarDialog.h: the settings dialog over the filter's record.
//
// The dialog's user data is the record itself; every handler below takes it from there and
// keeps no state of its own between calls. Items are those of DialogLayout.h. All handlers
// run on the host's user-interface thread inside the "AI Get Parameters" message, with the
// dialog manager suites acquired (RunStarDialog checks that they are).
#pragma once

#include "ADMTypes.h"
#include "AIFilter.h"

namespace corvanta {

// Creates the record when the filter has none, keeps a copy, and runs the modal dialog
// "QM07_Corvanta" (resource 16100).
//
// OK returns 0 with the edits kept. When the last change left no preview drawn with the final
// settings (previewDrawn 0), the art of earlier previews is undone first, so that the go run
// that follows does not draw beside it; a failing undo returns its code.
// Any other end (Cancel, or the dialog failing to open) undoes the preview art of this
// message, restores the copy, clears previewDrawn and returns kSPUserCanceledError. A failing
// undo returns its code instead; the copy is restored all the same, since the user asked for
// the edits to go, and only the preview art the host could not remove stays.
// Returns the record creation's code when it fails, and kSPSuiteNotFoundError when a dialog
// manager suite the dialog needs is missing (its alert has been shown at acquisition).
SPErr RunStarDialog(AIFilterMessage* message);

// The init handler: places the dialog where OK last left it (when remembered), sizes it to
// 430 x 375, creates and fills every item, shows the star set of the record, reads the record
// back (drawing the first preview when Preview is on) and shows the stored tab. Returns 0;
// kSPBadParameterError when the dialog has no record.
SPErr SPAPI InitStarDialog(ADMDialogRef dialog);

// The common notifier of every value item, "Preview" and "Shuffle": default handling, then
// the record is read back from every item, the dependent items are enabled or disabled and,
// with Preview on, the previous preview is replaced by a new one (previewDrawn 1). With
// Preview off, or when the preview run fails, previewDrawn is 0.
void SPAPI OnValueChanged(ADMItemRef item, ADMNotifierRef notifier);

// List 151's notifier: shows the chosen star set in spin edits 12 to 15 and captions 109 and
// 111, and stores its index in starSetIndex. Nothing else is read and nothing is drawn. Any
// other item, or a chosen entry outside sets 1 to 16 (or none), changes nothing.
void SPAPI OnStarSetChosen(ADMItemRef item, ADMNotifierRef notifier);

// The tab buttons' notifier (160 .. 164): sets activeTab and shows that tab's items, hiding
// the other tabs'. No default handling, no preview. Other items change nothing.
void SPAPI OnTabButton(ADMItemRef item, ADMNotifierRef notifier);

// The "OK" notifier: default handling (which ends the dialog with 1), then the dialog's bounds
// are remembered in dialogBounds and dialogBoundsSaved is set.
void SPAPI OnConfirm(ADMItemRef item, ADMNotifierRef notifier);

// The pick buttons' track handler (190 .. 193). When the current event carries the pick
// modifier, the button is tracked, the mouse point of the first document view is converted to
// artwork points (h, v) and sets: 190 starGroups = trunc(0.1 h), 191 starCoreRadius = h,
// 192 starShellRadius = h, 193 shellPointSlant = the host's angle from (h, v) to the user
// centre, in degrees; the spin edit beside the button shows it. Without the modifier, or when
// the point cannot be converted, nothing is set. In every case the active tab is refreshed
// (with Preview on, a preview run). Returns true.
ADMBoolean SPAPI TrackPickButton(ADMItemRef item, ADMTrackerRef tracker);

// Notifies the first value item of the stored tab (OnValueChanged: read back, preview) and
// then the tab's button (OnTabButton: the tab is shown). An activeTab outside 1 .. 5 refreshes
// and shows the Basic tab, which sets activeTab to 1.
void RefreshActiveTab(ADMDialogRef dialog);

}  // namespace corvanta
