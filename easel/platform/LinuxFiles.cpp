// Files on POSIX systems.
#include "platform/Files.h"

namespace easel {

std::FILE* CreateNewFile(const std::filesystem::path& path) { return std::fopen(path.c_str(), "wbx"); }

std::FILE* OpenForReading(const std::filesystem::path& path) { return std::fopen(path.c_str(), "rb"); }

std::FILE* OpenNullOutput() { return std::fopen("/dev/null", "w"); }

}  // namespace easel
