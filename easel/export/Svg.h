// Svg.h: a document as SVG 1.1 for viewers and Inkscape (conventions in FORMATS.md).
#pragma once

#include <string>

#include "document/Document.h"
#include "document/Progress.h"

namespace easel {

class TextWriter;

// The page in points (width="612pt", viewBox "0 0 612 792"), one Inkscape layer per
// layer, bottom first; path coordinates exactly as stored, under a y flip on each layer.
// Written to `out` as it is produced (the caller flushes); reports to `progress` after each
// art, by the share of the document's segments written, and throws Cancelled when it says stop.
void ExportSvg(const Document& doc, TextWriter& out, Progress* progress = nullptr);

// The same text as one string.
std::string ExportSvg(const Document& doc);

}  // namespace easel
