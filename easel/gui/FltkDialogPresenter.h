// FltkDialogPresenter.h: the dialog manager's dialogs as FLTK windows.
//
// A view only: each item of the model becomes a widget at the item's bounds (spin edit:
// Fl_Spinner with the item's limits and decimals; static text: a label; popup list: Fl_Choice;
// check box; push button, item 1 answering Enter; picture button: a flat button). Every edit
// of the user goes to the model as its User... event; every change of the model (values, texts,
// limits, entries, show, enable, bounds, new items, the title, the end) is copied into the
// widgets as the model reports it. The dialog's own logic (limits, ending, notifying) is all
// the model's.
//
// The window's close box and Escape are the model's UserClose. Pressing a picture button with
// Shift held starts a pick instead of a press: the next click in the document window is given
// to the model as UserPick with that click's view point (Escape there abandons the pick).
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
