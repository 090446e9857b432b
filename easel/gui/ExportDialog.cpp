#include "gui/ExportDialog.h"

#include "gui/DocumentPathDialog.h"

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>

#include <cctype>
#include <filesystem>

namespace easel::gui {

namespace {

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

struct ExportWindow {
    Fl_Double_Window window{460, 130, "Export"};
    Fl_Input* file = nullptr;
    Fl_Choice* format = nullptr;
};

}  // namespace

int ExportFormatOf(const std::string& path) {
    const std::string ext = LowerExtension(path);
    for (int i = 0; i < 3; ++i)
        if (ext == kExportExtensions[i]) return i;
    return -1;
}

std::string WithExportExtension(const std::string& path, int format) {
    if (format < 0 || format > 2) return path;
    const std::string ext = LowerExtension(path);
    std::string stem = path;
    if (ExportFormatOf(path) >= 0 || ext == ".json") stem = path.substr(0, path.size() - ext.size());
    return stem + kExportExtensions[format];
}

std::optional<std::string> AskExportPath(const std::string& initialPath) {
    ExportWindow w;
    w.window.begin();
    w.file = new Fl_Input(70, 15, 280, 25, "File:");
    auto* browse = new Fl_Button(360, 15, 85, 25, "Browse...");
    w.format = new Fl_Choice(70, 50, 120, 25, "Format:");
    w.format->add("SVG");
    w.format->add("PNG");
    w.format->add("PDF");
    auto* ok = new Fl_Return_Button(250, 90, 95, 25, "Export");
    auto* cancel = new Fl_Button(355, 90, 90, 25, "Cancel");
    w.window.end();

    w.file->value(initialPath.c_str());
    const int initialFormat = ExportFormatOf(initialPath);
    w.format->value(initialFormat >= 0 ? initialFormat : 0);

    w.format->callback([](Fl_Widget*, void* d) {
        auto* x = static_cast<ExportWindow*>(d);
        const std::string path = WithExportExtension(x->file->value(), x->format->value());
        x->file->value(path.c_str());
    }, &w);
    browse->callback([](Fl_Widget*, void* d) {
        BrowseForPath(*static_cast<ExportWindow*>(d)->file, "Export", true, "SVG, PNG or PDF\t*.{svg,png,pdf}");
    }, &w);
    const bool accepted = RunPathWindow(w.window, *w.file, *ok, *cancel);
    const std::string path = w.file->value();
    if (!accepted || path.empty()) return std::nullopt;
    if (ExportFormatOf(path) < 0 && LowerExtension(path) != ".json") return WithExportExtension(path, w.format->value());
    return path;
}

}  // namespace easel::gui
