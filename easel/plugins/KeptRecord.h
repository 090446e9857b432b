// KeptRecord.h: a filter's parameter record kept between runs of Easel, in a file.
//
// The host keeps the record a filter leaves after "AI Get Parameters" / "AI Go", so that the
// next use opens with the values last confirmed. Easel, which runs once per command, keeps it
// in a file: by default UserConfigDirectory()/easel/KEY.params, KEY being the filter's key.
// The file holds the record's bytes exactly as the plug-in left them, nothing else.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace easel {

// A record file that cannot be written; what() names the file and the reason.
class RecordFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// UserConfigDirectory()/easel/KEY.params, with every character of the key other than letters,
// digits, '-', '_' and '.' written as '_' (a leading '.' too); empty without a configuration
// directory.
std::optional<std::filesystem::path> DefaultRecordPath(std::string_view filterKey);

struct RecordRead {
    enum class Status : uint8_t {
        Read,     // bytes holds the record
        Missing,  // there is no such file: a first use
        Refused,  // the file is not a record of that size, or cannot be read; it is left as it is
    };
    Status status = Status::Missing;
    std::vector<uint8_t> bytes;
    std::string problem;  // Refused: what is wrong, naming the file
};

// Reads the record at `path`, which must hold exactly `expectedSize` bytes.
RecordRead ReadRecordFile(const std::filesystem::path& path, size_t expectedSize);

// Writes `bytes` to `path`: into a temporary file beside it (created exclusively), which is
// then renamed over it, so that the file is always the old record or the new one, never part
// of one. Creates the directory when it is missing. Throws RecordFileError, leaving the old
// file as it was and no temporary file behind.
void WriteRecordFile(const std::filesystem::path& path, std::span<const uint8_t> bytes);

}  // namespace easel
