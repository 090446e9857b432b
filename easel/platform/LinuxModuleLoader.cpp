// The Linux loader: dlopen with every symbol bound now and none shared with other modules, so
// that a module missing a symbol is refused when loaded rather than failing mid-message.
#include <dlfcn.h>
#include <link.h>

#include "platform/ModuleLoader.h"

namespace easel {
namespace {

constexpr const char* kResourceSection = ".corvanta.res";

class LinuxModuleLoader final : public ModuleLoader {
public:
    std::vector<uint8_t> ReadResources(const std::string& path) override {
        const std::vector<uint8_t> file = ReadModuleFile(path);
        return ElfSection(file, kResourceSection);
    }

    std::vector<std::string> ExportedSymbols(const std::string& path) override {
        return ElfExportedSymbols(ReadModuleFile(path));
    }

    Handle Open(const std::string& path) override {
        // A name without a slash would be searched for on the library path instead.
        const std::string name = path.find('/') == std::string::npos ? "./" + path : path;
        dlerror();
#ifdef EASEL_KEEP_MODULES_LOADED
        // A fuzzing build: the fuzzer keeps coverage counters inside the module, so it must
        // never leave memory.
        void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL | RTLD_NODELETE);
#else
        void* handle = dlopen(name.c_str(), RTLD_NOW | RTLD_LOCAL);
#endif
        if (!handle) {
            const char* why = dlerror();
            throw ModuleError(std::string("cannot be loaded: ") + (why ? why : "unknown reason"));
        }
        return handle;
    }

    void* Find(Handle module, const std::string& name) override {
        dlerror();
        void* symbol = dlsym(module, name.c_str());
        if (!symbol) return nullptr;
        // dlsym also searches the module's dependencies; an entry point must be its own.
        link_map* own = nullptr;
        if (dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 || !own) return nullptr;
        Dl_info info{};
        void* extra = nullptr;
        if (dladdr1(symbol, &info, &extra, RTLD_DL_LINKMAP) == 0) return nullptr;
        return static_cast<link_map*>(extra) == own ? symbol : nullptr;
    }

    void Close(Handle module) override {
        if (module) dlclose(module);
    }

    int64_t OffsetIn(Handle module, const void* address) override {
        link_map* own = nullptr;
        if (!module || dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 || !own) return -1;
        Dl_info info{};
        void* extra = nullptr;
        if (dladdr1(address, &info, &extra, RTLD_DL_LINKMAP) == 0 || static_cast<link_map*>(extra) != own)
            return -1;
        return static_cast<int64_t>(reinterpret_cast<uintptr_t>(address) - reinterpret_cast<uintptr_t>(info.dli_fbase));
    }
};

}  // namespace

std::unique_ptr<ModuleLoader> MakeSystemModuleLoader() { return std::make_unique<LinuxModuleLoader>(); }

}  // namespace easel
