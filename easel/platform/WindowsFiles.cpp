// Files on Windows: wide paths, and an exclusive create that the C runtime's fopen lacks.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include "platform/Files.h"

namespace easel {

std::FILE* CreateNewFile(const std::filesystem::path& path) {
    const int fd = ::_wopen(path.c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY, _S_IREAD | _S_IWRITE);
    if (fd < 0) return nullptr;
    std::FILE* f = ::_fdopen(fd, "wb");
    if (!f) ::_close(fd);
    return f;
}

std::FILE* OpenForReading(const std::filesystem::path& path) { return ::_wfopen(path.c_str(), L"rb"); }

std::FILE* OpenNullOutput() { return std::fopen("NUL", "w"); }

}  // namespace easel
