#include "plugins/KeptRecord.h"

#include <atomic>
#include <chrono>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "platform/ConfigDirectory.h"
#include "platform/Files.h"

namespace easel {
namespace {

std::string Quote(const std::filesystem::path& path) { return path.string(); }

std::string SafeName(std::string_view key) {
    std::string name;
    for (char c : key) {
        const bool plain = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
                           c == '_' || (c == '.' && !name.empty());
        name += plain ? c : '_';
    }
    return name.empty() ? std::string("filter") : name;
}

}  // namespace

std::optional<std::filesystem::path> DefaultRecordPath(std::string_view filterKey) {
    const std::optional<std::filesystem::path> config = UserConfigDirectory();
    if (!config) return std::nullopt;
    return *config / "easel" / (SafeName(filterKey) + ".params");
}

RecordRead ReadRecordFile(const std::filesystem::path& path, size_t expectedSize) {
    RecordRead read;
    std::error_code ec;
    const std::filesystem::file_status status = std::filesystem::status(path, ec);
    if (status.type() == std::filesystem::file_type::not_found) return read;
    read.status = RecordRead::Status::Refused;
    if (ec) {
        read.problem = Quote(path) + ": cannot be read: " + ec.message();
        return read;
    }
    if (status.type() != std::filesystem::file_type::regular) {
        read.problem = Quote(path) + ": not a record file (not a regular file)";
        return read;
    }
    std::FILE* file = OpenForReading(path);
    if (!file) {
        read.problem = Quote(path) + ": cannot be read: " + std::strerror(errno);
        return read;
    }
    // One byte more than a record, to tell a longer file from a record.
    std::vector<uint8_t> bytes(expectedSize + 1);
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    const bool failed = std::ferror(file) != 0;
    const int error = errno;
    std::fclose(file);
    if (failed) {
        read.problem = Quote(path) + ": cannot be read: " + std::strerror(error);
        return read;
    }
    if (got != expectedSize) {
        read.problem = Quote(path) + ": not a settings record: it holds " +
                       (got > expectedSize ? "more than " + std::to_string(expectedSize) : std::to_string(got)) +
                       " bytes, a record is " + std::to_string(expectedSize);
        return read;
    }
    bytes.resize(expectedSize);
    read.status = RecordRead::Status::Read;
    read.bytes = std::move(bytes);
    return read;
}

void WriteRecordFile(const std::filesystem::path& path, std::span<const uint8_t> bytes) {
    std::error_code ec;
    const std::filesystem::path dir = path.parent_path();
    if (!dir.empty()) {
        std::filesystem::create_directories(dir, ec);
        if (ec) throw RecordFileError(Quote(path) + ": cannot make its directory: " + ec.message());
    }
    static std::atomic<unsigned> counter{0};
    std::filesystem::path temporary;
    std::FILE* file = nullptr;
    for (int attempt = 0; attempt < 100 && !file; ++attempt) {
        temporary = path;
        const auto now = std::chrono::steady_clock::now().time_since_epoch().count();
        temporary += ".tmp-" + std::to_string(now & 0xFFFFFF) + "-" + std::to_string(counter++);
        file = CreateNewFile(temporary);  // exclusive: never another's file
        if (!file && errno != EEXIST) break;
    }
    if (!file) throw RecordFileError(Quote(path) + ": cannot be written: " + std::strerror(errno));
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    const int error = errno;
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed) {
        std::filesystem::remove(temporary, ec);
        throw RecordFileError(Quote(path) + ": cannot be written: " + std::strerror(written ? errno : error));
    }
    std::filesystem::rename(temporary, path, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw RecordFileError(Quote(path) + ": cannot be written: " + ec.message());
    }
}

}  // namespace easel
