#include "host/Host.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "suites/Runtime.h"

namespace easel {

Host::Host(HostConfig config) {
    if (Runtime::live) {
        std::fprintf(stderr, "easel::Host: a second Host was made while one is live; "
                             "suite entries reach the host through one static pointer\n");
        std::abort();
    }
    runtime_ = std::make_unique<Runtime>(std::move(config));
    Runtime::live = runtime_.get();
}

Host::~Host() { Runtime::live = nullptr; }

const SPBasicSuite* Host::Basic() const { return &kBasicSuiteTable; }

Document& Host::NewDocument(ColorModel model) {
    runtime_->ForgetWriteCursor();
    auto session = std::make_unique<Session>();
    session->doc = easel::NewDocument(model);
    session->doc.artBytesHeld = session->doc.ArtBytes();
    session->IndexLayers();
    session->journal.Begin(session->doc);
    runtime_->sessions.push_back(std::move(session));
    runtime_->current = runtime_->sessions.back().get();
    return runtime_->current->doc;
}

// Whoever gets the document for change may change what the write cursor relies on.
Document* Host::CurrentDocument() {
    runtime_->ForgetWriteCursor();
    return runtime_->current ? &runtime_->current->doc : nullptr;
}

void Host::BeginMessage() {
    runtime_->ForgetWriteCursor();
    for (auto& s : runtime_->sessions) {
        s->Commit();
        s->journal.Begin(s->doc);
    }
}

void Host::EndMessage() {
    runtime_->ForgetWriteCursor();
    for (auto& s : runtime_->sessions) {
        s->Commit();
        s->journal.Begin(s->doc);
    }
}

bool Host::SetCurrentDocument(const Document& doc) {
    runtime_->ForgetWriteCursor();
    for (auto& s : runtime_->sessions)
        if (&s->doc == &doc) {
            runtime_->current = s.get();
            return true;
        }
    return false;
}

SPPluginRef Host::AddPlugin(std::shared_ptr<const ModuleResources> resources, std::string name) {
    runtime_->plugins.push_back({std::move(resources), std::move(name), true});
    return MakeHandle<SPPluginRef>(HandleKind::Plugin, static_cast<uint32_t>(runtime_->plugins.size()));
}

void Host::RemovePlugin(SPPluginRef plugin) {
    PluginRecord* record = runtime_->FindPlugin(plugin);
    if (!record) return;
    record->live = false;
    record->resources.reset();
    for (FilterRecord& f : runtime_->filters) {
        if (!f.live || f.info.plugin != plugin) continue;
        f.live = false;
        // The host owns the parameters once the plug-in has handed them over.
        auto* memory = reinterpret_cast<MemoryRecord*>(f.info.parameters);
        if (memory && runtime_->memoryHandles.erase(memory)) {
            std::free(memory->block);
            delete memory;
        }
        f.info.parameters = nullptr;
    }
}

std::vector<FilterInfo> Host::Filters() const {
    std::vector<FilterInfo> out;
    for (const FilterRecord& f : runtime_->filters)
        if (f.live) out.push_back(f.info);
    return out;
}

bool Host::SetFilterParameters(AIFilterHandle filter, AIFilterParameters parameters) {
    FilterRecord* f = runtime_->FindFilter(filter);
    if (!f) return false;
    f->info.parameters = parameters;
    return true;
}

bool Host::MenuItemEnabled(AIMenuItemHandle item) const {
    const FilterRecord* f = runtime_->FindMenuItem(item);
    if (!f) return false;
    if (!f->info.automaticUpdate) return true;
    const bool open = runtime_->current != nullptr;
    if ((f->info.ifDocument & kIfOpenDocument) && !open) return false;
    if ((f->info.ifNotDocument & kIfOpenDocument) && open) return false;
    return true;
}

std::optional<std::vector<uint8_t>> Host::FilterParameterBytes(AIFilterHandle filter) const {
    const easel::FilterRecord* f = runtime_->FindFilter(filter);
    auto* memory = f ? reinterpret_cast<MemoryRecord*>(f->info.parameters) : nullptr;
    if (!memory || !runtime_->memoryHandles.count(memory)) return std::nullopt;
    const auto* bytes = static_cast<const uint8_t*>(memory->block);
    return std::vector<uint8_t>(bytes, bytes + memory->size);
}

bool Host::SetFilterParameterBytes(AIFilterHandle filter, const std::vector<uint8_t>& bytes) {
    easel::FilterRecord* f = runtime_->FindFilter(filter);
    if (!f) return false;
    try {
        runtime_->memoryHandles.reserve(runtime_->memoryHandles.size() + 1);
        auto memory = std::make_unique<MemoryRecord>();
        memory->block = std::malloc(bytes.empty() ? 1 : bytes.size());
        if (!memory->block) return false;
        if (!bytes.empty()) std::memcpy(memory->block, bytes.data(), bytes.size());
        memory->size = bytes.size();
        runtime_->memoryHandles.insert(memory.get());
        auto* old = reinterpret_cast<MemoryRecord*>(f->info.parameters);
        if (old && runtime_->memoryHandles.erase(old)) {
            std::free(old->block);
            delete old;
        }
        f->info.parameters = &memory.release()->block;
        return true;
    } catch (const std::bad_alloc&) {
        return false;
    }
}

void Host::SetDialogPresenter(std::shared_ptr<DialogPresenter> presenter) { runtime_->presenter = std::move(presenter); }

std::vector<DialogModel*> Host::OpenDialogs() const {
    std::vector<DialogModel*> open;
    for (const auto& d : runtime_->dialogManager.OpenDialogs()) open.push_back(d.get());
    return open;
}

const std::vector<std::string>& Host::Alerts() const { return runtime_->alerts; }
const std::vector<DialogRecord>& Host::Dialogs() const { return runtime_->dialogs; }

int64_t Host::CallCount() const { return runtime_->calls; }

int64_t Host::CallCount(const std::string& operation) const {
    for (size_t i = 0; i < kOpCount; ++i)
        if (OperationName(static_cast<Op>(i)) == operation) return runtime_->opCalls[i];
    return 0;
}

std::vector<std::string> Host::OperationsCalled() const {
    std::vector<std::string> names;
    for (size_t i = 0; i < kOpCount; ++i)
        if (runtime_->opCalls[i] > 0) names.emplace_back(OperationName(static_cast<Op>(i)));
    return names;
}

std::vector<std::string> Host::FaultedOperations() const {
    std::vector<std::string> names;
    for (Op op : runtime_->faulted) names.emplace_back(OperationName(op));
    return names;
}

std::vector<Host::CallSite> Host::CallSites() const {
    std::vector<CallSite> sites;
    for (const auto& [address, first] : runtime_->siteFirstCall) sites.push_back({address, first});
    std::sort(sites.begin(), sites.end(), [](const CallSite& a, const CallSite& b) { return a.firstCall < b.firstCall; });
    return sites;
}

std::vector<uintptr_t> Host::FaultedCallSites() const { return runtime_->faultedSites; }

int Host::OpenAcquisitions() const { return runtime_->registry.OpenAcquisitions(); }
int64_t Host::AcquireCount() const { return runtime_->registry.AcquireCount(); }
int64_t Host::ReleaseCount() const { return runtime_->registry.ReleaseCount(); }
int Host::RedrawCount() const { return runtime_->redraws; }
void Host::SetRedrawHandler(std::function<void()> handler) { runtime_->redrawHandler = std::move(handler); }

bool Host::ReplaceDocument(Document& doc, Document contents) {
    runtime_->ForgetWriteCursor();
    for (auto& s : runtime_->sessions) {
        if (&s->doc != &doc) continue;
        s->Commit();
        s->doc = std::move(contents);
        s->doc.journalBytes = 0;  // the session's journal starts afresh below
        s->doc.ReleaseSparePaths();
        s->doc.artBytesHeld = s->doc.ArtBytes();
        s->IndexLayers();
        // Which layer holds each art, as the art suite records it when it makes art.
        s->artLayer.clear();
        for (const Layer& l : s->doc.layers)
            for (ArtId id : l.art) {
                const size_t slot = ArtSlot(id);
                if (slot >= s->artLayer.size()) s->artLayer.resize(slot + 1, 0);
                s->artLayer[slot] = l.id;
            }
        s->journal.Begin(s->doc);
        return true;
    }
    return false;
}
int Host::OpenBlocks() const { return static_cast<int>(runtime_->blocks.size()); }
int Host::OpenMemoryHandles() const { return static_cast<int>(runtime_->memoryHandles.size()); }
size_t Host::MemoryBudget() const { return runtime_->config.memoryBudget; }
size_t Host::HeldArtBytes() const {
    return runtime_->current ? runtime_->current->doc.artBytesHeld : 0;
}

}  // namespace easel
