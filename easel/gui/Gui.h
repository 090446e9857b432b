// Gui.h: easel --gui: a document window on a new document, with the plug-in's filters in its
// Filter menu and its dialogs shown as windows.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"

namespace easel {
class Host;
class PluginManager;
}  // namespace easel

namespace easel::gui {

// A document read from a file for the window to start on (easel --gui FILE).
struct StartDocument {
    Document document;
    std::string path;
    std::vector<std::string> warnings;  // what reading it left out
};

// Opens the window on a new document of `host` (in `model`), or on `start`, and runs until it
// is closed; `plugin` is loaded and started. Returns the exit status: 0, or 1 when no display
// can be opened (said on standard error).
int RunDocumentWindow(Host& host, PluginManager& plugin, ColorModel model = ColorModel::RGB,
                      std::optional<StartDocument> start = std::nullopt);

}  // namespace easel::gui
