#include "suites/Runtime.h"

#include <cstdlib>

#include "dialogs/HeadlessPresenter.h"

namespace easel {

Runtime* Runtime::live = nullptr;

namespace {

struct OpName {
    const char* suite;
    const char* op;
};

constexpr OpName kOpNames[] = {
#define EASEL_OP_NAME(id, suite, op) {suite, op},
    EASEL_OPERATIONS(EASEL_OP_NAME)
#undef EASEL_OP_NAME
};
static_assert(sizeof kOpNames / sizeof kOpNames[0] == kOpCount);

int ResolveOperation(const std::string& name) {
    if (name == "*") return -1;
    for (size_t i = 0; i < kOpCount; ++i)
        if (OperationName(static_cast<Op>(i)) == name) return static_cast<int>(i);
    throw std::invalid_argument("easel::HostConfig: no operation named \"" + name + "\"");
}

}  // namespace

std::string OperationName(Op op) {
    const OpName& n = kOpNames[static_cast<size_t>(op)];
    return std::string(n.suite) + "/" + n.op;
}

Runtime::Runtime(HostConfig c) : config(std::move(c)), registry(config.omittedSuites) {
    for (const HostConfig::Fault& f : config.faults)
        faults.push_back({ResolveOperation(f.operation), f.nth, f.code});
    if (config.seed) {
        random.seed(*config.seed);
    } else {
        std::random_device device;
        random.seed(device());
    }
}

Runtime::~Runtime() {
    for (auto& [block, size] : blocks) std::free(block);
    for (MemoryRecord* r : memoryHandles) {
        std::free(r->block);
        delete r;
    }
}

SPErr Runtime::DueFault(Op op) const {
    const int index = static_cast<int>(op);
    for (const ArmedFault& f : faults) {
        const int64_t n = f.op < 0 ? calls : f.op == index ? opCalls[static_cast<size_t>(index)] : -1;
        if (n == f.nth) return f.code;
    }
    return kSPNoError;
}

void Runtime::NoteSite(const void* site) {
    try {
        siteFirstCall.try_emplace(reinterpret_cast<uintptr_t>(site), calls);
    } catch (const std::bad_alloc&) {
        // The record of sites is for the validator; a call is never refused for it.
    }
}

PluginRecord* Runtime::FindPlugin(SPPluginRef ref) {
    const uint32_t id = HandleId(HandleKind::Plugin, ref);
    if (id == 0 || id > plugins.size()) return nullptr;
    PluginRecord& p = plugins[id - 1];
    return p.live ? &p : nullptr;
}

FilterRecord* Runtime::FindFilter(AIFilterHandle handle) {
    const uint32_t id = HandleId(HandleKind::Filter, handle);
    if (id == 0 || id > filters.size()) return nullptr;
    FilterRecord& f = filters[id - 1];
    return f.live ? &f : nullptr;
}

FilterRecord* Runtime::FindMenuItem(AIMenuItemHandle item) {
    const uint32_t id = HandleId(HandleKind::MenuItem, item);
    if (id == 0 || id > filters.size()) return nullptr;
    FilterRecord& f = filters[id - 1];
    return f.live ? &f : nullptr;
}

DialogPresenter& Runtime::Presenter() {
    if (presenter) return *presenter;
    static HeadlessPresenter headless;
    return headless;
}

Layer* Session::FindLayerSlowly(LayerId id) {
    IndexLayers();
    if (id < layerPos.size()) {
        const uint32_t pos = layerPos[id];
        if (pos < doc.layers.size() && doc.layers[pos].id == id) return &doc.layers[pos];
    }
    return nullptr;
}

void Session::IndexLayers() {
    LayerId top = 0;
    for (const Layer& l : doc.layers) top = std::max(top, l.id);
    layerPos.assign(size_t(top) + 1, UINT32_MAX);
    for (size_t i = 0; i < doc.layers.size(); ++i)
        layerPos[doc.layers[i].id] = static_cast<uint32_t>(i);
}

void Session::Commit() {
    doc.artBytesHeld -= doc.ReleaseSparePaths();
    for (ArtId id : journal.Commit(doc)) {
        Art* art = doc.FindArt(id);
        if (!art) continue;
        const size_t before = PathBytes(art->path);
        art->path.segments.ShrinkToFit();
        doc.artBytesHeld = doc.artBytesHeld - before + PathBytes(art->path);
    }
}

SPErr BeginArtChange(Session& s, AIArtHandle handle, Art*& art) {
    const ArtId id = ArtIdOf(handle);
    art = s.doc.FindArt(id);
    if (!art) return kSPBadParameterError;
    if (const SPErr e = CheckWritable(s.LayerOfArt(*art))) return e;
    if (!s.journal.Covers(id)) s.journal.Changing(s.doc, id);
    return kSPNoError;
}

}  // namespace easel
