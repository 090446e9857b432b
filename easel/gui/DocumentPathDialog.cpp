#include "gui/DocumentPathDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Return_Button.H>

#include <filesystem>

namespace easel::gui {

namespace {

struct PathWindow {
    Fl_Double_Window window{460, 95, ""};
    Fl_Input* file = nullptr;
    PathPurpose purpose = PathPurpose::Open;
    bool accepted = false;

    void Browse() {
        Fl_Native_File_Chooser chooser;
        chooser.title(purpose == PathPurpose::Open ? "Open" : "Save As");
        chooser.type(purpose == PathPurpose::Open ? Fl_Native_File_Chooser::BROWSE_FILE
                                                  : Fl_Native_File_Chooser::BROWSE_SAVE_FILE);
        chooser.filter("Easel documents\t*.{svg,json}");
        const std::filesystem::path current(file->value());
        if (current.has_parent_path()) chooser.directory(current.parent_path().string().c_str());
        if (purpose == PathPurpose::Save) chooser.preset_file(current.filename().string().c_str());
        if (chooser.show() == 0 && chooser.filename()) file->value(chooser.filename());
    }
};

}  // namespace

std::optional<std::string> AskDocumentPath(PathPurpose purpose, const std::string& initialPath) {
    PathWindow w;
    w.purpose = purpose;
    w.window.label(purpose == PathPurpose::Open ? "Open" : "Save As");
    w.window.begin();
    w.file = new Fl_Input(70, 15, 280, 25, "File:");
    auto* browse = new Fl_Button(360, 15, 85, 25, "Browse...");
    auto* ok = new Fl_Return_Button(250, 55, 95, 25, purpose == PathPurpose::Open ? "Open" : "Save");
    auto* cancel = new Fl_Button(355, 55, 90, 25, "Cancel");
    w.window.end();
    w.window.set_modal();
    w.file->value(initialPath.c_str());

    browse->callback([](Fl_Widget*, void* d) { static_cast<PathWindow*>(d)->Browse(); }, &w);
    ok->callback([](Fl_Widget*, void* d) {
        auto* x = static_cast<PathWindow*>(d);
        x->accepted = true;
        x->window.hide();
    }, &w);
    cancel->callback([](Fl_Widget*, void* d) { static_cast<PathWindow*>(d)->window.hide(); }, &w);

    w.window.show();
    Fl::focus(w.file);
    w.file->position(w.file->size(), 0);  // all of it selected, so that typing replaces it
    while (w.window.shown()) Fl::wait();
    const std::string path = w.file->value();
    if (!w.accepted || path.empty()) return std::nullopt;
    return path;
}

}  // namespace easel::gui
