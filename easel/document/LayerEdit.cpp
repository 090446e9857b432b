#include "document/LayerEdit.h"

#include <algorithm>
#include <unordered_set>
#include <utility>
#include <vector>

namespace easel {

namespace {

// The index in Document::layers (bottom first), or layers.size().
size_t IndexOf(const Document& doc, LayerId id) {
    for (size_t i = 0; i < doc.layers.size(); ++i)
        if (doc.layers[i].id == id) return i;
    return doc.layers.size();
}

}  // namespace

std::string NewLayerName(const Document& doc) {
    for (size_t n = doc.layers.size() + 1;; ++n) {
        std::string name = "Layer " + std::to_string(n);
        if (std::none_of(doc.layers.begin(), doc.layers.end(), [&](const Layer& l) { return l.name == name; }))
            return name;
    }
}

LayerId InsertLayer(Document& doc, std::string name) {
    const size_t current = IndexOf(doc, doc.currentLayer);
    Layer layer;
    layer.id = doc.nextLayerId;
    layer.name = std::move(name);
    const size_t at = current < doc.layers.size() ? current + 1 : doc.layers.size();
    doc.layers.insert(doc.layers.begin() + static_cast<std::ptrdiff_t>(at), std::move(layer));
    ++doc.nextLayerId;
    doc.currentLayer = doc.layers[at].id;
    return doc.currentLayer;
}

bool DeleteLayer(Document& doc, LayerId id) {
    const size_t index = IndexOf(doc, id);
    if (index == doc.layers.size() || doc.layers.size() < 2) return false;
    const std::unordered_set<ArtId> placed(doc.layers[index].art.begin(), doc.layers[index].art.end());
    // The layer's own art, and what its envelopes hold off the page: everything placed there.
    // All are found before any goes: an envelope removed first would cut its content loose.
    std::vector<ArtId> doomed;
    for (const std::optional<Art>& art : doc.arts)
        if (art && placed.count(doc.PlacedArt(art->id))) doomed.push_back(art->id);
    for (ArtId art : doomed) doc.RemoveArt(art);
    doc.layers.erase(doc.layers.begin() + static_cast<std::ptrdiff_t>(index));
    if (doc.currentLayer == id) doc.currentLayer = doc.layers[index > 0 ? index - 1 : 0].id;
    return true;
}

bool RenameLayer(Document& doc, LayerId id, std::string name) {
    Layer* layer = doc.FindLayer(id);
    if (!layer) return false;
    layer->name = std::move(name);
    return true;
}

bool SetLayerVisible(Document& doc, LayerId id, bool visible) {
    Layer* layer = doc.FindLayer(id);
    if (!layer) return false;
    layer->visible = visible;
    return true;
}

bool SetLayerLocked(Document& doc, LayerId id, bool locked) {
    Layer* layer = doc.FindLayer(id);
    if (!layer) return false;
    layer->locked = locked;
    return true;
}

bool SetCurrentLayer(Document& doc, LayerId id) {
    if (!doc.FindLayer(id)) return false;
    doc.currentLayer = id;
    return true;
}

bool MoveLayer(Document& doc, LayerId id, bool up) {
    const size_t index = IndexOf(doc, id);
    if (index == doc.layers.size()) return false;
    if (up ? index + 1 == doc.layers.size() : index == 0) return false;
    std::swap(doc.layers[index], doc.layers[up ? index + 1 : index - 1]);
    return true;
}

LayerId LayerAtPosition(const Document& doc, size_t position) {
    return position < doc.layers.size() ? doc.layers[doc.layers.size() - 1 - position].id : 0;
}

size_t PositionOfLayer(const Document& doc, LayerId id) {
    const size_t index = IndexOf(doc, id);
    return index == doc.layers.size() ? index : doc.layers.size() - 1 - index;
}

LayerListState LayerList(const Document& doc) {
    LayerListState state;
    for (const Layer& l : doc.layers) state.layers.push_back({l.id, l.name, l.visible, l.locked});
    state.currentLayer = doc.currentLayer;
    state.nextLayerId = doc.nextLayerId;
    return state;
}

void RestoreLayerList(Document& doc, const LayerListState& state) {
    std::vector<Layer> layers;
    std::vector<bool> taken(doc.layers.size(), false);
    for (const LayerListState::Entry& e : state.layers) {
        Layer layer;
        const size_t index = IndexOf(doc, e.id);
        if (index < doc.layers.size() && !taken[index]) {
            layer = std::move(doc.layers[index]);
            taken[index] = true;
        }
        layer.id = e.id;
        layer.name = e.name;
        layer.visible = e.visible;
        layer.locked = e.locked;
        layers.push_back(std::move(layer));
    }
    for (size_t i = 0; i < doc.layers.size(); ++i)
        if (!taken[i] && !doc.layers[i].art.empty()) layers.push_back(std::move(doc.layers[i]));
    doc.layers = std::move(layers);
    const bool currentThere = std::any_of(doc.layers.begin(), doc.layers.end(),
                                          [&](const Layer& l) { return l.id == state.currentLayer; });
    doc.currentLayer = currentThere ? state.currentLayer : doc.layers.empty() ? 0 : doc.layers.back().id;
    doc.nextLayerId = std::max(doc.nextLayerId, state.nextLayerId);
}

bool LayerArtRemoved(const Document& before, const Document& after) {
    return std::any_of(before.layers.begin(), before.layers.end(),
                       [&](const Layer& l) { return !l.art.empty() && !after.FindLayer(l.id); });
}

}  // namespace easel
