// DocumentPathDialog.h: the file File > Open reads and File > Save As writes.
//
// As File > Export, a small window of its own in which a path can be typed whole: a "File"
// field, Browse... (the system's file chooser, where the desktop has one, else FLTK's) and
// the action's button with Cancel.
#pragma once

#include <optional>
#include <string>

namespace easel::gui {

enum class PathPurpose { Open, Save };

// Runs the window (modal) titled "Open" or "Save As", starting at `initialPath`; the path
// chosen, or nothing when the user cancels or closes it (or leaves the field empty). The
// caller checks and reads or writes the file.
std::optional<std::string> AskDocumentPath(PathPurpose purpose, const std::string& initialPath);

}  // namespace easel::gui
