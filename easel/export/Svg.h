// Svg.h: a document as SVG 1.1 for viewers and Inkscape (conventions in FORMATS.md).
#pragma once

#include <string>

#include "document/Document.h"

namespace easel {

// The page in points (width="612pt", viewBox "0 0 612 792"), one Inkscape layer per
// layer, bottom first; path coordinates exactly as stored, under a y flip on each layer.
std::string ExportSvg(const Document& doc);

}  // namespace easel
