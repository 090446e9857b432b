// DialogPresenter.h: what shows a modal dialog to the user and runs its modal loop.
//
// ADMDialogSuite's Modal builds the dialog's model from its template, runs the plug-in's init
// handler, and then hands the model to the Host's presenter (Host::SetDialogPresenter; the
// headless one by default). The presenter shows the model, turns the user's actions into the
// model's User... events (DialogModel.h) and follows its changes through a DialogObserver,
// until the dialog has ended. It holds no dialog logic: ending, notifying, limits and
// choices are all the model's.
#pragma once

#include <cstdint>

namespace easel {

class DialogModel;

class DialogPresenter {
public:
    virtual ~DialogPresenter() = default;

    // Shows `dialog` and delivers the user's events to it until dialog.Ended(); returns
    // dialog.Result(). Called on the thread that runs the plug-in, possibly nested (a dialog
    // opened from a handler of another). Returning before the dialog has ended ends it with the
    // returned value. The model is destroyed after RunModal returns: the presenter must drop
    // every reference to it (and remove its observers) before returning.
    virtual int32_t RunModal(DialogModel& dialog) = 0;
};

}  // namespace easel
