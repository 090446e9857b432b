#include "plugins/PluginManager.h"

#include <cstdio>

#include "PIPL.h"

namespace easel {
namespace {

// The host's check word in every message; plug-ins do not read it.
constexpr int32_t kCheckWord = SP_FOUR_CHAR_CODE('E', 'a', 's', 'l');

std::string CodeText(uint32_t code) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        s += (c >= 0x20 && c < 0x7F) ? c : '?';
    }
    return s;
}

}  // namespace

PluginManager::PluginManager(Host& host, std::unique_ptr<ModuleLoader> loader)
    : host_(host), loader_(std::move(loader)) {}

PluginManager::~PluginManager() {
    try {
        if (started_) Shutdown();
        CloseModule();
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
    }
}

void PluginManager::Refuse(const std::string& why) const { throw PluginError(path_ + ": " + why); }

SPErr PluginManager::Load(const std::string& path) {
    if (module_ || started_) throw PluginError(path + ": a module is already loaded (" + path_ + ")");
    path_ = path;
    std::vector<uint8_t> bytes;
    try {
        bytes = loader_->ReadResources(path);
    } catch (const ModuleError& e) {
        Refuse(e.what());
    }
    std::optional<PropertyList> pipl;
    try {
        auto resources = std::make_shared<ModuleResources>(ParseResources(bytes));
        pipl = resources->Pipl(kPIPLResourceId);
        resources_ = std::move(resources);
    } catch (const ResourceError& e) {
        Refuse(std::string("unreadable resources: ") + e.what());
    }
    if (!pipl) Refuse("no plug-in property list (PIPL 16000)");
    const std::optional<uint32_t> kind = pipl->kind();
    if (!kind || *kind != static_cast<uint32_t>(kPIPLKindHostPlugin))
        Refuse("not a plug-in of this host (kind '" + (kind ? CodeText(*kind) : std::string("none")) +
               "', expected 'SPEA')");
    const std::optional<int32_t> version = pipl->interfaceVersion();
    if (!version || *version != kPIPLInterfaceVersion)
        Refuse("plug-in interface version " + (version ? std::to_string(*version) : std::string("missing")) +
               ", this host takes " + std::to_string(kPIPLInterfaceVersion));
    const std::optional<std::string> entry = pipl->entryPoint();
    if (!entry || entry->empty()) Refuse("the property list names no entry point");
    entryName_ = *entry;

    OpenModule();
    self_ = host_.AddPlugin(resources_, path_);
    globals_ = nullptr;
    SPMessageData message{};
    const SPErr result = Deliver(kSPInterfaceCaller, kSPInterfaceStartupSelector, message);
    started_ = true;
    startupFailed_ = result != kSPNoError;
    return result;
}

void PluginManager::OpenModule() {
    try {
        module_ = loader_->Open(path_);
    } catch (const ModuleError& e) {
        Refuse(e.what());
    }
    void* symbol = loader_->Find(module_, entryName_);
    if (!symbol) {
        CloseModule();
        Refuse("does not export its entry point " + entryName_);
    }
    entry_ = reinterpret_cast<SPPluginMainProc>(symbol);
}

void PluginManager::CloseModule() {
    if (module_) loader_->Close(module_);
    module_ = nullptr;
    entry_ = nullptr;
}

void PluginManager::EnsureLoaded() {
    if (!module_) Reload();
}

SPErr PluginManager::Deliver(const char* caller, const char* selector, SPMessageData& message) {
    message.SPCheck = kCheckWord;
    message.self = self_;
    message.globals = globals_;
    message.basic = host_.Basic();
    host_.BeginMessage();
    const SPErr result = entry_(caller, selector, &message);
    host_.EndMessage();
    globals_ = message.globals;
    return result;
}

SPErr PluginManager::Unload() {
    if (!module_) return kSPNoError;
    SPMessageData message{};
    const SPErr result = Deliver(kSPAccessCaller, kSPAccessUnloadSelector, message);
    CloseModule();
    return result;
}

SPErr PluginManager::Reload() {
    if (module_) return kSPNoError;
    if (!started_) throw PluginError(path_ + ": no module to load again");
    OpenModule();
    SPMessageData message{};
    return Deliver(kSPAccessCaller, kSPAccessReloadSelector, message);
}

SPErr PluginManager::Shutdown() {
    if (!started_) return kSPNoError;
    SPErr result = kSPNoError;
    if (startupFailed_) {
        // A module whose start-up failed is never shut down (its shut-down would meet the same
        // failure, and alert it again); it only leaves memory.
        if (module_) {
            SPMessageData last{};
            result = Deliver(kSPAccessCaller, kSPAccessUnloadSelector, last);
        }
    } else {
        EnsureLoaded();
        SPMessageData message{};
        result = Deliver(kSPInterfaceCaller, kSPInterfaceShutdownSelector, message);
        SPMessageData last{};
        const SPErr unloaded = Deliver(kSPAccessCaller, kSPAccessUnloadSelector, last);
        if (result == kSPNoError) result = unloaded;
    }
    CloseModule();
    host_.RemovePlugin(self_);
    started_ = false;
    startupFailed_ = false;
    return result;
}

AIFilterHandle PluginManager::Filter() const {
    for (const FilterInfo& f : host_.Filters())
        if (f.plugin == self_) return f.handle;
    return nullptr;
}

SPErr PluginManager::RunFilter(Document& document) {
    const SPErr result = FilterMessage(document, kSelectorAIGetParameters);
    if (result != kSPNoError) return result;
    return FilterMessage(document, kSelectorAIGoFilter);
}

SPErr PluginManager::FilterMessage(Document& document, const char* selector) {
    const AIFilterHandle filter = Filter();
    if (!started_ || !filter || !host_.SetCurrentDocument(document)) return kSPBadParameterError;
    EnsureLoaded();
    AIFilterMessage message{};
    message.filter = filter;
    for (const FilterInfo& f : host_.Filters())
        if (f.handle == filter) message.parameters = f.parameters;
    const SPErr result = Deliver(kCallerAIFilter, selector, message.d);
    host_.SetFilterParameters(filter, message.parameters);
    return result;
}

SPErr PluginManager::About() { return Send(kSPInterfaceCaller, kSPInterfaceAboutSelector); }

SPErr PluginManager::Send(const char* caller, const char* selector) {
    if (!started_) return kSPBadParameterError;
    EnsureLoaded();
    SPMessageData message{};
    return Deliver(caller, selector, message);
}

}  // namespace easel
