// Gui.h: easel --gui: a document window on a new document, with the plug-in's filters in its
// Filter menu and its dialogs shown as windows.
#pragma once

#include "document/Document.h"

namespace easel {
class Host;
class PluginManager;
}  // namespace easel

namespace easel::gui {

// Opens the window on a new document of `host` (in `model`) and runs until it is closed;
// `plugin` is loaded and started. Returns the exit status: 0, or 1 when no display can be opened (said on
// standard error).
int RunDocumentWindow(Host& host, PluginManager& plugin, ColorModel model = ColorModel::RGB);

}  // namespace easel::gui
