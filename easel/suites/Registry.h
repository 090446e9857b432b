// Registry.h: the suites a host session offers, answered by exact name and version.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "SPTypes.h"

namespace easel {

class Registry {
public:
    struct Entry {
        const char* name;
        int32_t version;
        const void* table;  // the host's table, static for the process
    };

    // Every suite Easel implements, less those named in `omitted`.
    explicit Registry(const std::vector<std::string>& omitted);

    // kSPNoError and the table in *suite; kSPSuiteNotFoundError with *suite = NULL for a name
    // or version the registry does not hold.
    SPErr Acquire(const char* name, int32_t version, const void** suite);
    // kSPNoError; kSPSuiteNotFoundError when no acquisition of name/version is open.
    SPErr Release(const char* name, int32_t version);

    int OpenAcquisitions() const { return static_cast<int>(acquired_ - released_); }
    int64_t AcquireCount() const { return acquired_; }
    int64_t ReleaseCount() const { return released_; }
    const std::vector<Entry>& Entries() const { return entries_; }

private:
    Entry* Find(const char* name, int32_t version);

    std::vector<Entry> entries_;
    std::vector<int64_t> open_;  // open acquisitions, by entry
    int64_t acquired_ = 0;
    int64_t released_ = 0;
};

}  // namespace easel
