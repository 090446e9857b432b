// KeptModules.h: modules loaded once and kept in memory for many host sessions, one after
// another (a fuzzer's inputs, each with a fresh Host and PluginManager).
//
// Loading is what costs: reading the file whole for its resources and mapping the module. A
// PluginManager given Loader() still reads and checks everything it learns of the plug-in from
// the module's resources at each Load, as it would from the system's loader; only the file's
// bytes and the mapping are shared. A kept module also keeps its static data between sessions,
// as under a host that starts a plug-in again without unloading it first.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "platform/ModuleLoader.h"

namespace easel {

class KeptModules {
public:
    explicit KeptModules(std::unique_ptr<ModuleLoader> system = MakeSystemModuleLoader());
    ~KeptModules();  // closes every module it opened
    KeptModules(const KeptModules&) = delete;
    KeptModules& operator=(const KeptModules&) = delete;

    // A loader over this store, for one PluginManager: the first Open of a path opens the module
    // through the system loader and later ones give the same handle; Close leaves it in memory.
    // ReadResources and ExportedSymbols are read once per path too; a failure is not kept, so
    // the next call tries again. The loader must not outlive the store.
    std::unique_ptr<ModuleLoader> Loader();

private:
    class View;
    struct Entry {
        std::vector<uint8_t> resources;
        bool resourcesRead = false;
        std::vector<std::string> exports;
        bool exportsRead = false;
        ModuleLoader::Handle handle = nullptr;
    };
    std::unique_ptr<ModuleLoader> system_;
    std::map<std::string, Entry> entries_;  // by path as given
};

}  // namespace easel
