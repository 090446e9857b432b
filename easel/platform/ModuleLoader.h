// ModuleLoader.h: what Easel needs of the operating system to use a plug-in module: open it,
// find its entry point, read its resource bytes, close it. One small interface, so that the
// rest of Easel stays portable and tests can stand in for the system.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace easel {

// A module the system cannot use; what() gives the reason, without the file name, which the
// caller adds.
class ModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class ModuleLoader {
public:
    using Handle = void*;

    virtual ~ModuleLoader() = default;

    // The module's compiled resources (the bytes of a .res file), read without running any of
    // its code. Throws ModuleError when the file cannot be read, is not a module of this system
    // or carries no resources.
    virtual std::vector<uint8_t> ReadResources(const std::string& path) = 0;
    // The names the module exports, as the system's loader would resolve them from outside,
    // read without running any of its code. Throws ModuleError like ReadResources.
    virtual std::vector<std::string> ExportedSymbols(const std::string& path) = 0;
    // Loads the module, resolving every symbol now. Throws ModuleError.
    virtual Handle Open(const std::string& path) = 0;
    // The address of an exported function of this module itself (not of a library it uses),
    // or null.
    virtual void* Find(Handle module, const std::string& name) = 0;
    virtual void Close(Handle module) = 0;
    // How far `address` lies into the loaded module's image, when it lies in that module and
    // the system can tell; -1 otherwise (and for a loader that cannot tell). The same place in
    // the module's code gives the same offset wherever the module was loaded.
    virtual int64_t OffsetIn(Handle module, const void* address) {
        (void)module;
        (void)address;
        return -1;
    }
};

// The loader of this system. Linux: shared objects, resources in the ELF section
// ".corvanta.res". Windows: DLLs, resources read through the system's resource functions.
std::unique_ptr<ModuleLoader> MakeSystemModuleLoader();

// The whole file at `path`. Throws ModuleError ("cannot be opened", "cannot be read").
std::vector<uint8_t> ReadModuleFile(const std::string& path);

// The bytes of section `name` of a 64-bit little-endian ELF file. Every offset and size is
// checked against the file, so a corrupt or truncated file throws ModuleError instead of being
// read past its end. Throws ModuleError too when the file has no such section.
std::vector<uint8_t> ElfSection(std::span<const uint8_t> file, std::string_view name);

}  // namespace easel

namespace easel {

// The names of the symbols a 64-bit little-endian ELF module defines and exports (its dynamic
// symbol table, without undefined, local, section and file symbols), as the system loader would
// resolve them from outside. Throws ModuleError for a corrupt file or one without a dynamic
// symbol table.
std::vector<std::string> ElfExportedSymbols(std::span<const uint8_t> file);

}  // namespace easel
