// ExportDialog.h: File > Export: the file to write and its format.
//
// A small window of its own rather than a file browser, so that a path can be typed whole: a
// "File" field (Browse... opens a chooser), a "Format" list (SVG, PNG, PDF) and Export /
// Cancel. Choosing a format puts its extension on the name; a name that has none of the
// known extensions gets the chosen format's added.
#pragma once

#include <optional>
#include <string>

namespace easel::gui {

// The formats the list offers, in order, and their extensions.
constexpr const char* kExportExtensions[] = {".svg", ".png", ".pdf"};

// `path` with the extension of format `format` (an index of kExportExtensions): an existing
// .svg, .png, .pdf or .json extension (any case) is replaced, any other is kept and the new one
// added.
std::string WithExportExtension(const std::string& path, int format);
// The format index of `path`'s extension, or -1.
int ExportFormatOf(const std::string& path);

// Runs the window (modal) starting at `initialPath`; the path to write, or nothing when the
// user cancels or closes it. The caller writes the file and reports failures.
std::optional<std::string> AskExportPath(const std::string& initialPath);

}  // namespace easel::gui
