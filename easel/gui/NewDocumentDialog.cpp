#include "gui/NewDocumentDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Value_Input.H>

#include <iterator>

namespace easel::gui {

namespace {

constexpr int kCustom = static_cast<int>(std::size(kPageSizes));

struct NewWindow {
    Fl_Double_Window window{300, 190, "New Document"};
    Fl_Choice* page = nullptr;
    Fl_Value_Input* width = nullptr;
    Fl_Value_Input* height = nullptr;
    Fl_Choice* model = nullptr;
    bool accepted = false;

    // The named sizes fill in the fields; only Custom lets them be edited.
    void PageChosen() {
        const int i = page->value();
        if (i >= 0 && i < kCustom) {
            width->value(kPageSizes[i].width);
            height->value(kPageSizes[i].height);
            width->deactivate();
            height->deactivate();
        } else {
            width->activate();
            height->activate();
        }
    }
};

}  // namespace

std::optional<NewDocumentChoice> AskNewDocument(const NewDocumentChoice& initial) {
    NewWindow w;
    w.window.begin();
    w.page = new Fl_Choice(110, 15, 170, 25, "Page:");
    for (const PageSize& p : kPageSizes) w.page->add(p.name);
    w.page->add("Custom");
    w.width = new Fl_Value_Input(110, 50, 100, 25, "Width (pt):");
    w.height = new Fl_Value_Input(110, 80, 100, 25, "Height (pt):");
    for (Fl_Value_Input* v : {w.width, w.height}) {
        v->range(1, kMaxPageSide);
        v->step(0.01);
    }
    w.model = new Fl_Choice(110, 115, 100, 25, "Colour model:");
    w.model->add("Gray");
    w.model->add("RGB");
    w.model->add("CMYK");
    auto* ok = new Fl_Return_Button(100, 155, 90, 25, "Create");
    auto* cancel = new Fl_Button(200, 155, 85, 25, "Cancel");
    w.window.end();
    w.window.set_modal();

    int page = kCustom;
    for (int i = 0; i < kCustom; ++i)
        if (kPageSizes[i].width == initial.width && kPageSizes[i].height == initial.height) page = i;
    w.page->value(page);
    w.width->value(initial.width);
    w.height->value(initial.height);
    w.PageChosen();
    w.model->value(initial.model == ColorModel::Gray ? 0 : initial.model == ColorModel::CMYK ? 2 : 1);

    w.page->callback([](Fl_Widget*, void* d) { static_cast<NewWindow*>(d)->PageChosen(); }, &w);
    ok->callback([](Fl_Widget*, void* d) {
        auto* x = static_cast<NewWindow*>(d);
        x->accepted = true;
        x->window.hide();
    }, &w);
    cancel->callback([](Fl_Widget*, void* d) { static_cast<NewWindow*>(d)->window.hide(); }, &w);

    w.window.show();
    while (w.window.shown()) Fl::wait();
    if (!w.accepted) return std::nullopt;
    NewDocumentChoice choice;
    // Fl_Value_Input keeps a typed value within its range only when asked to.
    choice.width = static_cast<float>(w.width->clamp(w.width->value()));
    choice.height = static_cast<float>(w.height->clamp(w.height->value()));
    choice.model = w.model->value() == 0 ? ColorModel::Gray : w.model->value() == 2 ? ColorModel::CMYK : ColorModel::RGB;
    return choice;
}

}  // namespace easel::gui
