// The verdict of a child started afresh: one file, "P" or "F" and the detail, written whole to
// a temporary name and renamed, so the parent never reads half of one.
#include <cstdio>
#include <filesystem>
#include <system_error>

#include "platform/ChildProcess.h"
#include "platform/Files.h"

namespace easel {

bool WriteChildVerdict(const std::string& destination, bool passed, const std::string& detail) {
    const std::filesystem::path target = std::filesystem::path(destination);
    std::filesystem::path partial = target;
    partial += ".partial";
    std::FILE* f = CreateNewFile(partial);
    if (!f) return false;
    const std::string text = (passed ? "P" : "F") + detail;
    const bool written = std::fwrite(text.data(), 1, text.size(), f) == text.size();
    const bool closed = std::fclose(f) == 0;
    std::error_code ec;
    if (written && closed) std::filesystem::rename(partial, target, ec);
    if (!written || !closed || ec) {
        std::filesystem::remove(partial, ec);
        return false;
    }
    return true;
}

}  // namespace easel
