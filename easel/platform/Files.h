// Files.h: the few file operations whose system calls differ between systems.
#pragma once

#include <cstdio>
#include <filesystem>

namespace easel {

// Creates `path` for writing in binary, failing (null, errno EEXIST) when it exists already,
// so a temporary name is never another writer's file. Null with errno set on failure.
std::FILE* CreateNewFile(const std::filesystem::path& path);

// Opens `path` for reading in binary; null with errno set on failure.
std::FILE* OpenForReading(const std::filesystem::path& path);

// A stream that discards what is written to it (the null device); null when it cannot be opened.
std::FILE* OpenNullOutput();

}  // namespace easel
