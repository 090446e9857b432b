// libFuzzer target: arbitrary bytes as a JSON dump. The reader either refuses them with a
// DumpError or gives a document; a document it gives must dump again, and that dump must read
// back to an equal document and dump to the same text: what the reader accepts, the writer can
// keep. Anything else (another exception, a crash, a leak, a mismatch) fails.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "document/Document.h"
#include "export/JsonDump.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    std::optional<easel::Document> first;
    try {
        first = easel::LoadDocumentText(text);
    } catch (const easel::DumpError&) {
        return 0;
    }
    const std::string dump = easel::DumpDocumentText(*first);
    try {
        const easel::Document second = easel::LoadDocumentText(dump);
        if (!easel::SameDocument(second, *first)) {
            std::fprintf(stderr, "the dump of an accepted document reads back different\n");
            std::abort();
        }
        if (easel::DumpDocumentText(second) != dump) {
            std::fprintf(stderr, "the dump of the document read back differs from the first dump\n");
            std::abort();
        }
    } catch (const easel::DumpError& e) {
        std::fprintf(stderr, "the dump of an accepted document is refused: %s\n", e.what());
        std::abort();
    }
    return 0;
}
