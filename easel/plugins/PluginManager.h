// PluginManager.h: one plug-in module in a Host: loading and checking it, and the messages of
// its life (start-up, unload and reload, the filter, About, shut-down).
//
// The module's globals slot is kept here across unload and reload. Every message is sent
// inside Host::BeginMessage / EndMessage, so each is one undo transaction. A plug-in's non-zero
// result is returned as it is: the plug-in has already shown the user what went wrong.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>

#include "AIFilter.h"
#include "SPMessage.h"
#include "host/Host.h"
#include "platform/ModuleLoader.h"
#include "resources/ModuleResources.h"

namespace easel {

// A module refused, or one that could not be loaded again; what() names the file.
class PluginError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class PluginManager {
public:
    explicit PluginManager(Host& host, std::unique_ptr<ModuleLoader> loader = MakeSystemModuleLoader());
    ~PluginManager();  // shuts the plug-in down if it is still started
    PluginManager(const PluginManager&) = delete;
    PluginManager& operator=(const PluginManager&) = delete;

    // Reads and checks the module at `path` (resources, property list 16000 of kind 'SPEA',
    // interface version 2, an exported entry point of the listed name), loads it and sends
    // "SP Interface"/"Startup"; gives that message's result. Throws PluginError for a module
    // it refuses, and when a module is already loaded.
    SPErr Load(const std::string& path);

    // "SP Access"/"Unload", then the module leaves memory; the globals stay here.
    SPErr Unload();
    // Loads the module again and sends "SP Access"/"Reload" with the kept globals. Throws
    // PluginError when the module can no longer be loaded.
    SPErr Reload();
    // "SP Interface"/"Shutdown" then "SP Access"/"Unload" (reloading first if need be); the
    // module leaves memory and the host forgets the plug-in and its filters. A module whose
    // start-up failed gets no "Shutdown": only "Unload" if it is in memory. The destructor does
    // the same, so a caller that gives up after a failed Load need not call it.
    SPErr Shutdown();

    // Runs the plug-in's filter on `document` (a document of the Host, which becomes current):
    // "AI Filter"/"AI Get Parameters" and, when that gives 0, "AI Filter"/"AI Go", as the host
    // does. A canceled dialog answers kSPUserCanceledError ('STOP'): no "AI Go" is sent and
    // that code is returned. The parameters the plug-in leaves are kept for the next run (the
    // Host's FilterParameterBytes). kSPBadParameterError when the plug-in registered no filter
    // or the document is not the Host's.
    SPErr RunFilter(Document& document);
    // One "AI Filter" message (kSelectorAIGetParameters or kSelectorAIGoFilter) to the filter on
    // `document`, with the parameters the host keeps for it; the parameters it leaves are kept.
    // As RunFilter for a missing filter or a foreign document.
    SPErr FilterMessage(Document& document, const char* selector);
    SPErr About();
    // Any other message, as a bare SPMessageData (reloading the module first if need be).
    SPErr Send(const char* caller, const char* selector);

    bool Loaded() const { return module_ != nullptr; }
    bool Started() const { return started_; }
    void* Globals() const { return globals_; }
    SPPluginRef Ref() const { return self_; }
    const std::string& Path() const { return path_; }
    const ModuleResources& Resources() const { return *resources_; }
    // The first live filter this plug-in added, or null.
    AIFilterHandle Filter() const;
    // How far `address` lies into the loaded module's image, or -1 when it lies elsewhere, the
    // module is not loaded or the system cannot tell (ModuleLoader::OffsetIn).
    int64_t ModuleOffset(uintptr_t address) const {
        return module_ ? loader_->OffsetIn(module_, reinterpret_cast<const void*>(address)) : -1;
    }

private:
    SPErr Deliver(const char* caller, const char* selector, SPMessageData& message);
    void OpenModule();
    void CloseModule();
    void EnsureLoaded();
    [[noreturn]] void Refuse(const std::string& why) const;

    Host& host_;
    std::unique_ptr<ModuleLoader> loader_;
    std::string path_;
    std::string entryName_;
    std::shared_ptr<const ModuleResources> resources_;
    ModuleLoader::Handle module_ = nullptr;
    SPPluginMainProc entry_ = nullptr;
    SPPluginRef self_ = nullptr;
    void* globals_ = nullptr;
    bool started_ = false;        // "Startup" was sent, and no "Shutdown" since
    bool startupFailed_ = false;  // that "Startup" answered an error
};

}  // namespace easel
