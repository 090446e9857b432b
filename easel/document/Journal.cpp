#include "document/Journal.h"

#include <algorithm>
#include <utility>

namespace easel {

void Journal::Begin(const Document& doc) {
    ++serial_;  // every stamp of the previous transaction goes stale at once
    created_.clear();
    copies_.clear();
    layers_.clear();
    removals_.clear();
    currentLayer_ = doc.currentLayer;
    symbolCount_ = doc.symbols.size();
    currentPaint_ = doc.currentPaint;
}

std::vector<ArtId> Journal::Commit(Document& doc) {
    std::vector<ArtId> touched;
    touched.reserve(created_.size() + copies_.size());
    for (const MadeArt& m : created_) touched.push_back(m.id);
    for (const Art& a : copies_) touched.push_back(a.id);
    doc.artBytesHeld -= doc.journalBytes;
    doc.journalBytes = 0;
    ++serial_;
    created_.clear();
    copies_.clear();
    layers_.clear();
    removals_.clear();
    return touched;
}

void Journal::Stamp_(ArtId id) noexcept {
    Stamp& s = stamps_[ArtSlot(id)];
    s.serial = serial_;
    s.id = id;
}

void Journal::ReserveCreated(ArtId id) {
    const size_t slot = ArtSlot(id);
    if (slot >= stamps_.size()) stamps_.resize(std::max(slot + 1, stamps_.size() * 2));
    if (created_.size() == created_.capacity())
        created_.reserve(created_.empty() ? 64 : created_.capacity() * 2);
}

void Journal::Created(ArtId id, LayerId layer) noexcept {
    Stamp_(id);
    created_.push_back({id, layer});  // room made by ReserveCreated
}

void Journal::Changing(Document& doc, ArtId id) {
    if (Covers(id)) return;
    const Art* art = doc.FindArt(id);
    if (!art) return;
    const size_t slot = ArtSlot(id);
    if (slot >= stamps_.size()) stamps_.resize(std::max(slot + 1, stamps_.size() * 2));
    copies_.push_back(*art);  // strong guarantee: on throw nothing is recorded
    const size_t bytes = CopyBytes(copies_.back());
    doc.journalBytes += bytes;
    doc.artBytesHeld += bytes;
    Stamp_(id);
}

void Journal::LayerInserted(LayerId id) { layers_.push_back(id); }

void Journal::Removing(LayerId layer, size_t index, ArtId id) {
    removals_.push_back({layer, index, id, created_.size()});
}

namespace {

// Removes `id` from the layer's art. Art made in a transaction is nearly always on top, and
// undo removes it newest first, so the search from the top ends at once.
void TakeOffLayer(Layer& layer, ArtId id) {
    auto it = std::find(layer.art.rbegin(), layer.art.rend(), id);
    if (it != layer.art.rend()) layer.art.erase(std::next(it).base());
}

}  // namespace

void Journal::Undo(Document& doc) noexcept {
    // Copies first: restored art never moved, it only changed.
    for (Art& copy : copies_) {
        Art* art = doc.FindArt(copy.id);
        if (!art) continue;
        doc.artBytesHeld = doc.artBytesHeld - PathBytes(art->path) + PathBytes(copy.path);
        *art = std::move(copy);
    }
    // Art made and art taken off the page are undone newest first, so that every position
    // recorded for a removal is again the layer's state at the time.
    size_t made = created_.size();
    const auto unmakeDownTo = [&](size_t end) {
        for (; made > end; --made) {
            const MadeArt& m = created_[made - 1];
            const Art* art = doc.FindArt(m.id);
            if (!art) continue;
            if (Layer* layer = doc.FindLayer(m.layer)) TakeOffLayer(*layer, m.id);
            // The path's storage stays as a spare for the next new path, still counted.
            doc.artBytesHeld -= PathBytes(art->path);
            doc.artBytesHeld += doc.RemoveArtKeepingStorage(m.id);
        }
    };
    for (auto it = removals_.rbegin(); it != removals_.rend(); ++it) {
        unmakeDownTo(it->createdBefore);
        Layer* layer = doc.FindLayer(it->layer);
        if (!layer || !doc.FindArt(it->id)) continue;
        // The list had held this art, so its capacity is room enough: insert cannot throw.
        const size_t at = std::min(it->index, layer->art.size());
        layer->art.insert(layer->art.begin() + static_cast<std::ptrdiff_t>(at), it->id);
    }
    unmakeDownTo(0);
    for (auto it = layers_.rbegin(); it != layers_.rend(); ++it) {
        auto pos = std::find_if(doc.layers.begin(), doc.layers.end(),
                                [&](const Layer& l) { return l.id == *it; });
        if (pos == doc.layers.end()) continue;
        doc.artBytesHeld -= pos->art.capacity() * sizeof(ArtId);
        doc.layers.erase(pos);
    }
    while (doc.symbols.size() > symbolCount_) {
        doc.artBytesHeld -= SymbolBytes(doc.symbols.back());
        doc.symbols.pop_back();
    }
    doc.currentLayer = currentLayer_;
    doc.currentPaint = currentPaint_;
    // The copies went back into the document or are dropped below: the journal holds none.
    doc.artBytesHeld -= doc.journalBytes;
    doc.journalBytes = 0;
    ++serial_;
    created_.clear();
    copies_.clear();
    layers_.clear();
    removals_.clear();
}

}  // namespace easel
