// Reading a module's file whole, for the readers of its format.
#include <fstream>
#include <iterator>

#include "platform/ModuleLoader.h"

namespace easel {

std::vector<uint8_t> ReadModuleFile(const std::string& path) {
    std::ifstream in(std::filesystem::path(path), std::ios::binary);
    if (!in) throw ModuleError("cannot be opened");
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (in.bad()) throw ModuleError("cannot be read");
    return bytes;
}

}  // namespace easel
