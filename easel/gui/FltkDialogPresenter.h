// FltkDialogPresenter.h: the dialog manager's dialogs as FLTK windows.
//
// A view only: each item of the model becomes a widget at the item's bounds (spin edit: a
// number field with arrows that step as SpinEditRules.h says, showing the number without
// trailing zeros; static text: a label; popup list: Fl_Choice; check box; push button, item 1
// answering Enter; picture button: a flat button). Every edit
// of the user goes to the model as its User... event; every change of the model (values, texts,
// limits, entries, show, enable, bounds, new items, the title, the end) is copied into the
// widgets as the model reports it. The dialog's own logic (limits, ending, notifying) is all
// the model's.
//
// The window's close box and Escape are the model's UserClose. Before every event the window's
// position goes to the model (UserMove), so a plug-in that keeps its dialog's place reads where
// the user left it; the model's bounds place the window when it opens. Pressing a picture button
// that has a track handler with Shift held starts a pick instead of a press: the next click in
// the document window is given to the model as UserPick with that click's view point (Escape
// there abandons the pick).
#pragma once

#include <cstdint>

#include "dialogs/DialogPresenter.h"

namespace easel::gui {

class DocumentWindow;

class FltkDialogPresenter : public DialogPresenter {
public:
    // `owner` (may be null) is the document window: dialogs open centred over it unless the
    // model places them, and picks are taken from its document area.
    explicit FltkDialogPresenter(DocumentWindow* owner) : owner_(owner) {}

    int32_t RunModal(DialogModel& dialog) override;

private:
    DocumentWindow* owner_;
};

}  // namespace easel::gui
