#include "platform/KeptModules.h"

namespace easel {

class KeptModules::View final : public ModuleLoader {
public:
    explicit View(KeptModules& store) : store_(store) {}

    std::vector<uint8_t> ReadResources(const std::string& path) override {
        Entry& e = store_.entries_[path];
        if (!e.resourcesRead) {
            e.resources = store_.system_->ReadResources(path);
            e.resourcesRead = true;
        }
        return e.resources;
    }
    std::vector<std::string> ExportedSymbols(const std::string& path) override {
        Entry& e = store_.entries_[path];
        if (!e.exportsRead) {
            e.exports = store_.system_->ExportedSymbols(path);
            e.exportsRead = true;
        }
        return e.exports;
    }
    Handle Open(const std::string& path) override {
        Entry& e = store_.entries_[path];
        if (!e.handle) e.handle = store_.system_->Open(path);
        return e.handle;
    }
    void* Find(Handle module, const std::string& name) override { return store_.system_->Find(module, name); }
    void Close(Handle) override {}
    int64_t OffsetIn(Handle module, const void* address) override { return store_.system_->OffsetIn(module, address); }

private:
    KeptModules& store_;
};

KeptModules::KeptModules(std::unique_ptr<ModuleLoader> system) : system_(std::move(system)) {}

KeptModules::~KeptModules() {
    for (auto& [path, e] : entries_)
        if (e.handle) system_->Close(e.handle);
}

std::unique_ptr<ModuleLoader> KeptModules::Loader() { return std::make_unique<View>(*this); }

}  // namespace easel
