#include "gui/DocumentPathDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Native_File_Chooser.H>
#include <FL/Fl_Return_Button.H>

#include <filesystem>
#include <string>

namespace easel::gui {

void BrowseForPath(Fl_Input& file, const char* title, bool save, const char* filter) {
    Fl_Native_File_Chooser chooser;
    chooser.title(title);
    chooser.type(save ? Fl_Native_File_Chooser::BROWSE_SAVE_FILE : Fl_Native_File_Chooser::BROWSE_FILE);
    chooser.filter(filter);
    const std::filesystem::path current(file.value());
    if (current.has_parent_path()) chooser.directory(current.parent_path().string().c_str());
    if (save) chooser.preset_file(current.filename().string().c_str());
    if (chooser.show() == 0 && chooser.filename()) file.value(chooser.filename());
}

bool RunPathWindow(Fl_Window& window, Fl_Input& file, Fl_Button& ok, Fl_Button& cancel) {
    struct Run {
        Fl_Window& window;
        bool accepted = false;
    } run{window};
    ok.callback([](Fl_Widget*, void* d) {
        auto* r = static_cast<Run*>(d);
        r->accepted = true;
        r->window.hide();
    }, &run);
    cancel.callback([](Fl_Widget*, void* d) { static_cast<Run*>(d)->window.hide(); }, &run);
    window.set_modal();
    window.show();
    Fl::focus(&file);
    file.position(file.size(), 0);
    while (window.shown()) Fl::wait();
    return run.accepted;
}

std::optional<std::string> AskDocumentPath(PathPurpose purpose, const std::string& initialPath) {
    const bool open = purpose == PathPurpose::Open;
    Fl_Double_Window window(460, 95, open ? "Open" : "Save As");
    auto* file = new Fl_Input(70, 15, 280, 25, "File:");
    auto* browse = new Fl_Button(360, 15, 85, 25, "Browse...");
    auto* ok = new Fl_Return_Button(250, 55, 95, 25, open ? "Open" : "Save");
    auto* cancel = new Fl_Button(355, 55, 90, 25, "Cancel");
    window.end();
    file->value(initialPath.c_str());
    struct Browse {
        Fl_Input* file;
        bool open;
    } target{file, open};
    browse->callback([](Fl_Widget*, void* d) {
        const auto* t = static_cast<Browse*>(d);
        BrowseForPath(*t->file, t->open ? "Open" : "Save As", !t->open, "Easel documents\t*.{svg,json}");
    }, &target);
    const bool accepted = RunPathWindow(window, *file, *ok, *cancel);
    const std::string path = file->value();
    if (!accepted || path.empty()) return std::nullopt;
    return path;
}

}  // namespace easel::gui
