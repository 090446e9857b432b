#include "host/Host.h"

#include <cstdio>
#include <cstdlib>

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
    auto session = std::make_unique<Session>();
    session->doc = easel::NewDocument(model);
    session->doc.artBytesHeld = session->doc.ArtBytes();
    session->IndexLayers();
    session->journal.Begin(session->doc);
    runtime_->sessions.push_back(std::move(session));
    runtime_->current = runtime_->sessions.back().get();
    return runtime_->current->doc;
}

Document* Host::CurrentDocument() { return runtime_->current ? &runtime_->current->doc : nullptr; }

void Host::BeginMessage() {
    for (auto& s : runtime_->sessions) {
        s->Commit();
        s->journal.Begin(s->doc);
    }
}

void Host::EndMessage() {
    for (auto& s : runtime_->sessions) {
        s->Commit();
        s->journal.Begin(s->doc);
    }
}

int64_t Host::CallCount() const { return runtime_->calls; }

int64_t Host::CallCount(const std::string& operation) const {
    for (size_t i = 0; i < kOpCount; ++i)
        if (OperationName(static_cast<Op>(i)) == operation) return runtime_->opCalls[i];
    return 0;
}

int Host::OpenAcquisitions() const { return runtime_->registry.OpenAcquisitions(); }
int64_t Host::AcquireCount() const { return runtime_->registry.AcquireCount(); }
int64_t Host::ReleaseCount() const { return runtime_->registry.ReleaseCount(); }
int Host::RedrawCount() const { return runtime_->redraws; }
int Host::OpenBlocks() const { return static_cast<int>(runtime_->blocks.size()); }
int Host::OpenMemoryHandles() const { return static_cast<int>(runtime_->memoryHandles.size()); }
size_t Host::MemoryBudget() const { return runtime_->config.memoryBudget; }
size_t Host::HeldArtBytes() const {
    return runtime_->current ? runtime_->current->doc.artBytesHeld : 0;
}

}  // namespace easel
