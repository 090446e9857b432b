#include "gui/Gui.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_ask.H>
#include <FL/x.H>

#include <cstdio>
#include <filesystem>
#include <memory>

#include "gui/DocumentWindow.h"
#include "gui/FltkDialogPresenter.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"

namespace easel::gui {

namespace {

// The name a user knows the plug-in by: its version block's product name, else its file's.
std::string PluginName(const PluginManager& plugin) {
    if (const auto version = plugin.Resources().Version())
        if (const auto name = version->Value("ProductName"); name && !name->empty()) return *name;
    return std::filesystem::path(plugin.Path()).stem().string();
}

}  // namespace

int RunDocumentWindow(Host& host, PluginManager& plugin, ColorModel model, std::optional<StartDocument> start) {
    // FLTK ends the process when it cannot open the display; asking first lets easel say why
    // and shut the plug-in down properly.
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        const char* name = XDisplayName(nullptr);
        std::fprintf(stderr, "easel: --gui: cannot open the display \"%s\"\n", name ? name : "");
        return 1;
    }
    fl_open_display(display);
    Document& doc = host.NewDocument(model);
    DocumentWindow window(host, plugin, doc, PluginName(plugin));
    host.SetDialogPresenter(std::make_shared<FltkDialogPresenter>(&window));
    window.Show();
    if (start) {
        window.StartWith(std::move(start->document), start->path, start->warnings);
        for (const std::string& w : start->warnings) {
            fl_message_title("Left Out");
            fl_message("%s", w.c_str());
        }
    }
    while (window.Window().shown()) Fl::wait();
    host.SetDialogPresenter(nullptr);
    return 0;
}

}  // namespace easel::gui
