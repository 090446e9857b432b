#include "export/Export.h"

#include <atomic>
#include <cctype>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <new>
#include <system_error>

#include "export/JsonDump.h"
#include "export/Svg.h"
#include "export/TextWriter.h"
#include "platform/Files.h"
#if EASEL_HAS_RASTER
#include "render/Raster.h"
#endif

namespace easel {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void Fail(const std::string& path, const std::string& reason) {
    throw ExportError("cannot write \"" + path + "\": " + reason);
}

std::string LowerExtension(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& ch : ext) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
    return ext;
}

// A name beside the target that no other writer (another thread, another Easel) picks at
// the same moment: the file is created exclusively, and a clash just tries the next name.
std::FILE* OpenTemporaryBeside(const std::string& path, std::string& tempPath) {
    static std::atomic<unsigned> counter{0};
    const auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = path + ".tmp-" + std::to_string(stamp % 1000000007ull) + "-" +
                   std::to_string(counter.fetch_add(1));
        errno = 0;
        if (std::FILE* f = CreateNewFile(tempPath)) return f;
        if (errno != EEXIST) break;
    }
    const int err = errno;
    Fail(path, err ? std::generic_category().message(err) : "cannot create a temporary file");
}

}  // namespace

void WriteDocumentFile(const Document& doc, const std::string& path, Progress* progress) {
    const std::string ext = LowerExtension(path);
    std::string text;  // PNG and PDF only, which cairo makes whole
    if (ext == ".svg" || ext == ".json") {
    } else if (ext == ".png" || ext == ".pdf") {
#if EASEL_HAS_RASTER
        try {
            text = ext == ".png" ? RenderPng(doc, progress) : RenderPdf(doc);
        } catch (const RenderError& e) {
            Fail(path, e.what());
        } catch (const std::bad_alloc&) {
            Fail(path, "out of memory");
        }
#else
        Fail(path, kNoRasterReason);
#endif
    } else
        Fail(path, (ext.empty() ? std::string("no extension") : "unknown extension \"" + ext + "\"") +
                       " (expected .svg, .json, .png or .pdf)");

    std::string tempPath;
    std::FILE* f = OpenTemporaryBeside(path, tempPath);
    const auto discard = [&] {
        if (f) std::fclose(f);
        f = nullptr;
        std::error_code ignored;
        fs::remove(tempPath, ignored);
    };
    try {
        FileWriter out(f);
        if (ext == ".svg")
            ExportSvg(doc, out, progress);
        else if (ext == ".json")
            DumpDocument(doc, out, progress);
        else
            out.Put(text);
        out.Flush();
        errno = 0;
        if (std::fflush(f) != 0) throw std::system_error(errno ? errno : EIO, std::generic_category());
        const int closed = std::fclose(f);
        f = nullptr;
        if (closed != 0) throw std::system_error(errno ? errno : EIO, std::generic_category());
    } catch (const Cancelled&) {
        discard();
        throw;
    } catch (const std::bad_alloc&) {
        discard();
        Fail(path, "out of memory");
    } catch (const std::system_error& e) {
        discard();
        Fail(path, e.code().message());
    } catch (...) {
        discard();
        throw;
    }
    std::error_code ec;
    fs::rename(tempPath, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(tempPath, ignored);
        Fail(path, ec.message());
    }
}

}  // namespace easel
