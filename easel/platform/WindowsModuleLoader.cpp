// The Windows loader. A module runs from LoadLibraryExW; its resources are read through the
// system's resource functions from the module mapped as an image resource, which runs none
// of its code, and handed on in the .res format the rest of Easel reads.
#include <windows.h>

#include <cstring>

#include "platform/ModuleLoader.h"
#include "platform/PeImage.h"

namespace easel {
namespace {

// The machine this easel runs modules of.
#if defined(_M_IX86) || defined(__i386__)
constexpr uint16_t kThisMachine = 0x14c;  // IMAGE_FILE_MACHINE_I386
#else
constexpr uint16_t kThisMachine = 0x8664;  // IMAGE_FILE_MACHINE_AMD64
#endif

std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    const DWORD n = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                         FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : "system error " + std::to_string(code);
    if (text) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' || message.back() == '.' ||
                                message.back() == ' '))
        message.pop_back();
    return message;
}

std::wstring AbsoluteWide(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path absolute = std::filesystem::absolute(std::filesystem::path(path), ec);
    std::filesystem::path chosen = ec ? std::filesystem::path(path) : absolute;
    return chosen.make_preferred().wstring();
}

// Refuses, with the reason, a file the loader would refuse or load for another processor.
void CheckImage(const std::string& path) {
    const std::vector<uint8_t> file = ReadModuleFile(path);
    if (!IsPeImage(file)) throw ModuleError("not a Windows module");
    if (const uint16_t machine = PeMachine(file); machine != kThisMachine) {
        char text[64];
        std::snprintf(text, sizeof text, "a module for another processor (machine 0x%x, not 0x%x)", machine,
                      kThisMachine);
        throw ModuleError(text);
    }
}

// The .res format: records of a 32-bit size, a header size, the type and the name (each an
// ordinal as 0xFFFF and 16 bits, or a NUL-ended UTF-16 string), padding to 4, data version,
// memory flags, language, version and characteristics, then the data padded to 4.
class ResWriter {
public:
    // The file opens with an empty record.
    ResWriter() { Add(MAKEINTRESOURCEW(0), MAKEINTRESOURCEW(0), 0, nullptr, 0); }

    // `type` and `name` are ordinals or strings, as the resource functions pass them.
    void Add(LPCWSTR type, LPCWSTR name, WORD language, const void* data, DWORD size) {
        std::vector<uint8_t> header;
        Id(header, type);
        Id(header, name);
        while ((header.size() + 8) % 4) header.push_back(0);
        U32(header, 0);                             // data version
        U16(header, 0);                             // memory flags: a linked module keeps none
        U16(header, language);
        U32(header, 0);                             // version
        U32(header, 0);                             // characteristics
        U32(bytes_, size);
        U32(bytes_, static_cast<uint32_t>(header.size() + 8));
        bytes_.insert(bytes_.end(), header.begin(), header.end());
        const auto* p = static_cast<const uint8_t*>(data);
        if (size) bytes_.insert(bytes_.end(), p, p + size);
        while (bytes_.size() % 4) bytes_.push_back(0);
    }

    std::vector<uint8_t> Take() { return std::move(bytes_); }

private:
    static void U16(std::vector<uint8_t>& out, uint32_t v) {
        out.push_back(static_cast<uint8_t>(v));
        out.push_back(static_cast<uint8_t>(v >> 8));
    }
    static void U32(std::vector<uint8_t>& out, uint32_t v) {
        U16(out, v & 0xffff);
        U16(out, v >> 16);
    }
    static void Id(std::vector<uint8_t>& out, LPCWSTR id) {
        if (IS_INTRESOURCE(id)) {
            U16(out, 0xffff);
            U16(out, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(id)));
            return;
        }
        for (const wchar_t* c = id; *c; ++c) U16(out, static_cast<uint16_t>(*c));
        U16(out, 0);
    }

    std::vector<uint8_t> bytes_;
};

struct Enumeration {
    ResWriter res;
    std::string failure;  // the first resource that could not be read
};

BOOL CALLBACK OnLanguage(HMODULE module, LPCWSTR type, LPCWSTR name, WORD language, LONG_PTR param) {
    auto& e = *reinterpret_cast<Enumeration*>(param);
    HRSRC found = ::FindResourceExW(module, type, name, language);
    HGLOBAL loaded = found ? ::LoadResource(module, found) : nullptr;
    const void* data = loaded ? ::LockResource(loaded) : nullptr;
    const DWORD size = found ? ::SizeofResource(module, found) : 0;
    if (!data && size) {
        e.failure = "a resource cannot be loaded: " + SystemMessage(::GetLastError());
        return FALSE;
    }
    e.res.Add(type, name, language, data, size);
    return TRUE;
}

BOOL CALLBACK OnName(HMODULE module, LPCWSTR type, LPWSTR name, LONG_PTR param) {
    ::EnumResourceLanguagesW(module, type, name, OnLanguage, param);
    return reinterpret_cast<Enumeration*>(param)->failure.empty();
}

BOOL CALLBACK OnType(HMODULE module, LPWSTR type, LONG_PTR param) {
    ::EnumResourceNamesW(module, type, OnName, param);
    return reinterpret_cast<Enumeration*>(param)->failure.empty();
}

// Keeps the loader's error boxes (a missing library, a bad image) off the screen: the reason
// comes back as an error instead.
class QuietLoaderErrors {
public:
    QuietLoaderErrors() { ::SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &previous_); }
    ~QuietLoaderErrors() { ::SetThreadErrorMode(previous_, nullptr); }
    QuietLoaderErrors(const QuietLoaderErrors&) = delete;
    QuietLoaderErrors& operator=(const QuietLoaderErrors&) = delete;

private:
    DWORD previous_ = 0;
};

class WindowsModuleLoader final : public ModuleLoader {
public:
    std::vector<uint8_t> ReadResources(const std::string& path) override {
        CheckImage(path);
        QuietLoaderErrors quiet;
        HMODULE image = ::LoadLibraryExW(AbsoluteWide(path).c_str(), nullptr,
                                         LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!image) throw ModuleError("cannot be read as a module: " + SystemMessage(::GetLastError()));
        Enumeration e;
        // A module without resources fails the enumeration; it then gives an empty list.
        ::EnumResourceTypesW(image, OnType, reinterpret_cast<LONG_PTR>(&e));
        ::FreeLibrary(image);
        if (!e.failure.empty()) throw ModuleError(e.failure);
        return e.res.Take();
    }

    std::vector<std::string> ExportedSymbols(const std::string& path) override {
        CheckImage(path);
        return PeExportedSymbols(ReadModuleFile(path));
    }

    Handle Open(const std::string& path) override {
        CheckImage(path);
        QuietLoaderErrors quiet;
        // The module's own libraries are looked for beside it first.
        HMODULE module = ::LoadLibraryExW(AbsoluteWide(path).c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
        if (!module) throw ModuleError("cannot be loaded: " + SystemMessage(::GetLastError()));
        return module;
    }

    void* Find(Handle module, const std::string& name) override {
        FARPROC symbol = ::GetProcAddress(static_cast<HMODULE>(module), name.c_str());
        if (!symbol) return nullptr;
        // An export forwarded to another library is not the module's own entry point.
        HMODULE owner = nullptr;
        if (!::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                  reinterpret_cast<LPCWSTR>(symbol), &owner) ||
            owner != static_cast<HMODULE>(module))
            return nullptr;
        return reinterpret_cast<void*>(symbol);
    }

    void Close(Handle module) override {
        if (module) ::FreeLibrary(static_cast<HMODULE>(module));
    }

    int64_t OffsetIn(Handle module, const void* address) override {
        HMODULE owner = nullptr;
        if (!module ||
            !::GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                                  static_cast<LPCWSTR>(address), &owner) ||
            owner != static_cast<HMODULE>(module))
            return -1;
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(owner));
    }
};

}  // namespace

std::unique_ptr<ModuleLoader> MakeSystemModuleLoader() { return std::make_unique<WindowsModuleLoader>(); }

}  // namespace easel
