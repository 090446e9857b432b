// libFuzzer target: arbitrary bytes as an SVG file. The import either refuses them with an
// ImportError or gives a document and at most one warning; a document it gives must dump and
// read back equal, as any document of Easel's must. Anything else fails.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string_view>

#include "export/JsonDump.h"
#include "import/SvgImport.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<easel::ImportResult> result;
    try {
        result = easel::ImportSvgText(text, "fuzz.svg");
    } catch (const easel::ImportError&) {
        return 0;
    }
    if (result->warnings.size() > 1) {
        std::fprintf(stderr, "more than one warning\n");
        std::abort();
    }
    try {
        if (!easel::SameDocument(easel::LoadDocumentText(easel::DumpDocumentText(result->document)), result->document)) {
            std::fprintf(stderr, "the imported document reads back different from its dump\n");
            std::abort();
        }
    } catch (const easel::DumpError& e) {
        std::fprintf(stderr, "the imported document's dump is refused: %s\n", e.what());
        std::abort();
    }
    return 0;
}
