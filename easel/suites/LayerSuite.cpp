// "AI Layer Suite" v9. Positions count from the top; Document keeps layers bottom first.
#include <algorithm>
#include <string>

#include "AILayer.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI CountLayers(int32_t* count) {
    return DocumentBoundary(Op::LayerCount, [&](Runtime&, Session& s) -> SPErr {
        if (!count) return kSPBadParameterError;
        *count = static_cast<int32_t>(s.doc.layers.size());
        return kSPNoError;
    });
}

SPErr SPAPI GetNthLayer(int32_t n, AILayerHandle* layer) {
    return DocumentBoundary(Op::LayerGetNth, [&](Runtime&, Session& s) -> SPErr {
        if (!layer) return kSPBadParameterError;
        *layer = nullptr;
        const size_t count = s.doc.layers.size();
        if (n < 0 || size_t(n) >= count) return kSPBadParameterError;
        *layer = LayerHandle(s.doc.layers[count - 1 - size_t(n)].id);
        return kSPNoError;
    });
}

SPErr SPAPI GetCurrentLayer(AILayerHandle* layer) {
    return DocumentBoundary(Op::LayerGetCurrent, [&](Runtime&, Session& s) -> SPErr {
        if (!layer) return kSPBadParameterError;
        *layer = nullptr;
        if (!s.FindLayer(s.doc.currentLayer)) return kSPBadParameterError;
        *layer = LayerHandle(s.doc.currentLayer);
        return kSPNoError;
    });
}

SPErr SPAPI SetCurrentLayer(AILayerHandle layer) {
    return DocumentBoundary(Op::LayerSetCurrent, [&](Runtime&, Session& s) -> SPErr {
        const LayerId id = LayerIdOf(layer);
        if (id == 0 || !s.FindLayer(id)) return kSPBadParameterError;
        s.doc.currentLayer = id;  // the journal restores the current layer on undo
        return kSPNoError;
    });
}

SPErr SPAPI InsertLayer(AILayerHandle reference, int16_t paintOrder, AILayerHandle* newLayer) {
    return DocumentBoundary(Op::LayerInsert, [&](Runtime&, Session& s) -> SPErr {
        if (!newLayer) return kSPBadParameterError;
        *newLayer = nullptr;
        auto& layers = s.doc.layers;
        size_t position = 0;  // index in the bottom-first list
        switch (paintOrder) {
            case kPlaceAboveAll: position = layers.size(); break;
            case kPlaceBelowAll: position = 0; break;
            case kPlaceAbove:
            case kPlaceBelow: {
                const Layer* ref = s.FindLayer(LayerIdOf(reference));
                if (!ref) return kSPBadParameterError;
                const size_t at = static_cast<size_t>(ref - layers.data());
                position = paintOrder == kPlaceAbove ? at + 1 : at;
                break;
            }
            default: return kSPBadParameterError;
        }
        Layer layer;
        layer.id = s.doc.nextLayerId;
        layer.name = "Layer " + std::to_string(layers.size() + 1);
        layers.insert(layers.begin() + static_cast<std::ptrdiff_t>(position), std::move(layer));
        try {
            s.journal.LayerInserted(s.doc.nextLayerId);
        } catch (...) {
            layers.erase(layers.begin() + static_cast<std::ptrdiff_t>(position));
            throw;
        }
        const LayerId id = s.doc.nextLayerId++;
        s.doc.currentLayer = id;
        try {
            s.IndexLayers();
        } catch (...) {
            // A stale index is only a slower lookup: FindLayer checks every guess.
        }
        *newLayer = LayerHandle(id);
        return kSPNoError;
    });
}

const AILayerSuite kTable = {CountLayers, GetNthLayer, GetCurrentLayer, SetCurrentLayer, InsertLayer};

}  // namespace

const void* LayerSuiteTable() { return &kTable; }

}  // namespace easel
