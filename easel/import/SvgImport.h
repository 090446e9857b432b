// SvgImport.h: an SVG file read into a new document (paths, basic shapes, paint, Inkscape's
// layers, the page). What the document cannot hold is named in one warning, never dropped
// without a word.
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "document/Document.h"

namespace easel {

// A file that cannot be read, is not SVG or is not well-formed. The message names the file
// and, where there is one, the line: cannot read "PATH": line N: REASON.
class ImportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

struct ImportResult {
    Document document;
    // At most one: what was left out or changed, each kind with its count.
    std::vector<std::string> warnings;
};

// `name` is the file's name as messages give it.
ImportResult ImportSvgText(std::string_view text, const std::string& name);
ImportResult ImportSvgFile(const std::string& path);

}  // namespace easel
