// Export.h: writing a document to a file, the format chosen by the file's extension.
#pragma once

#include <stdexcept>
#include <string>

#include "document/Document.h"

namespace easel {

// A document that could not be written; what() names the file and the reason.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// ".svg" (ExportSvg), ".json" (DumpDocumentText), ".png" (RenderPng) or ".pdf" (RenderPdf),
// case-insensitive. The text goes to a
// temporary file beside `path` that is then renamed over it, so a failure leaves the
// previous file (or no file) in place, never a half-written one. Throws ExportError.
void WriteDocumentFile(const Document& doc, const std::string& path);

// Whether this build writes PNG and PDF (it needs cairo, which the Windows build goes without),
// and what is said when it does not.
#if EASEL_HAS_RASTER
inline constexpr bool kCanWriteRaster = true;
#else
inline constexpr bool kCanWriteRaster = false;
#endif
inline constexpr const char* kNoRasterReason = "this build of easel has no PNG or PDF export (it is built without cairo)";

}  // namespace easel
