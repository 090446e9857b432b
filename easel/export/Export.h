// Export.h: writing a document to a file, the format chosen by the file's extension.
#pragma once

#include <stdexcept>
#include <string>

#include "document/Document.h"
#include "document/Progress.h"

namespace easel {

// A document that could not be written; what() names the file and the reason.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ".svg" (ExportSvg), ".json" (DumpDocument), ".png" (RenderPng) or ".pdf" (RenderPdf),
// case-insensitive. SVG and the dump are written to a temporary file beside `path` as they
// are produced (through a 1 MiB buffer, never as one text in memory); the temporary is then
// renamed over `path`, so a failure leaves the previous file (or no file) in place, never a
// half-written one. Throws ExportError for every failure, running out of memory or disk
// included. `progress` hears how far the export is (by the share of the document's segments
// written); when it answers false the temporary is removed, the previous file left as it
// was, and Cancelled (not an ExportError) is thrown.
void WriteDocumentFile(const Document& doc, const std::string& path, Progress* progress = nullptr);

// Whether this build writes PNG and PDF (it needs cairo, which the Windows build goes without),
// and what is said when it does not.
#if EASEL_HAS_RASTER
inline constexpr bool kCanWriteRaster = true;
#else
inline constexpr bool kCanWriteRaster = false;
#endif
inline constexpr const char* kNoRasterReason = "this build of easel has no PNG or PDF export (it is built without cairo)";

}  // namespace easel
