// DocumentPathDialog.h: the file File > Open reads and File > Save As writes.
//
// As File > Export, a small window of its own in which a path can be typed whole: a "File"
// field, Browse... (the system's file chooser, where the desktop has one, else FLTK's) and
// the action's button with Cancel.
#pragma once

#include <optional>
#include <string>

class Fl_Button;
class Fl_Input;
class Fl_Window;

namespace easel::gui {

enum class PathPurpose { Open, Save };

// Runs the window (modal) titled "Open" or "Save As", starting at `initialPath`; the path
// chosen, or nothing when the user cancels or closes it (or leaves the field empty). The
// caller checks and reads or writes the file.
std::optional<std::string> AskDocumentPath(PathPurpose purpose, const std::string& initialPath);

// What the path windows (this one and Export's) share.
// Browse...: the system's file chooser titled `title`, for a file to read or to write, showing
// the files `filter` names (e.g. "Easel documents\t*.{svg,json}"), starting where `file`
// points; the chosen path goes into `file`.
void BrowseForPath(Fl_Input& file, const char* title, bool save, const char* filter);
// Runs `window` (modal, already built) until `ok` or `cancel` is pressed or it is closed, with
// `file` focused and all of it selected, so that typing replaces it; true when `ok` ended it.
bool RunPathWindow(Fl_Window& window, Fl_Input& file, Fl_Button& ok, Fl_Button& cancel);

}  // namespace easel::gui
