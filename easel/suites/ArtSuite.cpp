// "AI Art Suite" v9: making, copying and measuring art.
#include <algorithm>

#include "AIArt.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

struct Place {
    Layer* layer = nullptr;
    size_t position = 0;  // index into layer->art where the new art goes
};

// Where art placed by `order` relative to `prep` goes: kSPBadParameterError for an unknown or
// reserved order or a dead prep where one is needed; kAILockedLayerError for a target layer
// that cannot take art.
SPErr FindPlace(Session& s, int16_t order, AIArtHandle prep, Place& place) {
    switch (order) {
        case kPlaceAboveAll:
        case kPlaceBelowAll: {
            place.layer = s.FindLayer(s.doc.currentLayer);
            if (!place.layer) return kSPBadParameterError;
            place.position = order == kPlaceAboveAll ? place.layer->art.size() : 0;
            break;
        }
        case kPlaceAbove:
        case kPlaceBelow: {
            const ArtId prepId = ArtIdOf(prep);
            if (!s.doc.FindArt(prepId)) return kSPBadParameterError;
            place.layer = s.LayerOfArt(prepId);
            if (!place.layer) return kSPBadParameterError;
            const auto& art = place.layer->art;
            const auto at = std::find(art.rbegin(), art.rend(), prepId);
            if (at == art.rend()) return kSPBadParameterError;
            const size_t index = static_cast<size_t>(art.rend() - at) - 1;
            place.position = order == kPlaceAbove ? index + 1 : index;
            break;
        }
        default:
            return kSPBadParameterError;  // includes the reserved kPlaceInside orders
    }
    return CheckWritable(place.layer);
}

// Adds the growth of `arts` and of the target layer's list to the running count, however the
// making ends (a reservation that succeeded stays).
class CapacityWatch {
public:
    CapacityWatch(Document& doc, Layer& layer)
        : doc_(doc), layer_(layer), arts_(doc.arts.capacity()), list_(layer.art.capacity()) {}
    ~CapacityWatch() {
        doc_.artBytesHeld += (doc_.arts.capacity() - arts_) * sizeof(std::optional<Art>) +
                             (layer_.art.capacity() - list_) * sizeof(ArtId);
    }
    CapacityWatch(const CapacityWatch&) = delete;
    CapacityWatch& operator=(const CapacityWatch&) = delete;

private:
    Document& doc_;
    Layer& layer_;
    size_t arts_, list_;
};

size_t Grown(size_t capacity, size_t minimum) { return std::max(capacity * 2, minimum); }

// Puts `art` into the document at `place`: budget, then every reservation, then the no-throw
// commit, so that a failure leaves the document as it was.
SPErr MakeArt(Runtime& rt, Session& s, Art art, const Place& place, AIArtHandle* newArt) {
    Document& doc = s.doc;
    Layer& layer = *place.layer;
    size_t growth = PathBytes(art.path);
    if (doc.freedArtIds.empty() && doc.arts.size() == doc.arts.capacity())
        growth += (Grown(doc.arts.capacity(), 16) - doc.arts.capacity()) * sizeof(std::optional<Art>);
    if (layer.art.size() == layer.art.capacity())
        growth += (Grown(layer.art.capacity(), 8) - layer.art.capacity()) * sizeof(ArtId);
    if (doc.artBytesHeld + growth > rt.config.memoryBudget) return kSPOutOfMemoryError;

    CapacityWatch watch(doc, layer);
    const ArtId id = doc.ReserveArt();
    if (id == 0) return kSPOutOfMemoryError;  // no slot left
    s.journal.ReserveCreated(id);
    const size_t slot = ArtSlot(id);
    if (slot >= s.artLayer.size()) s.artLayer.resize(Grown(s.artLayer.size(), slot + 1));
    if (layer.art.size() == layer.art.capacity()) layer.art.reserve(Grown(layer.art.capacity(), 8));

    doc.artBytesHeld += PathBytes(art.path);
    doc.AddArt(std::move(art));
    layer.art.insert(layer.art.begin() + static_cast<std::ptrdiff_t>(place.position), id);
    s.journal.Created(id, layer.id);
    s.artLayer[slot] = layer.id;
    *newArt = ArtHandle(id);
    return kSPNoError;
}

SPErr NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
    return DocumentBoundary(Op::ArtNew, [&](Runtime& rt, Session& s) -> SPErr {
        if (!newArt) return kSPBadParameterError;
        *newArt = nullptr;
        if (type != kPathArt) return kSPBadParameterError;
        Place place;
        if (const SPErr e = FindPlace(s, paintOrder, prep, place)) return e;
        Art art;
        art.kind = ArtKind::Path;
        art.style = s.doc.currentPaint;
        art.opacity = 1.0f;
        return MakeArt(rt, s, std::move(art), place, newArt);
    });
}

SPErr DuplicateArt(AIArtHandle source, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
    return DocumentBoundary(Op::ArtDuplicate, [&](Runtime& rt, Session& s) -> SPErr {
        if (!newArt) return kSPBadParameterError;
        *newArt = nullptr;
        const Art* original = s.doc.FindArt(ArtIdOf(source));
        if (!original) return kSPBadParameterError;
        Place place;
        if (const SPErr e = FindPlace(s, paintOrder, prep, place)) return e;
        Art copy = *original;  // segments, closed flag, style, opacity; a copy holds no spare room
        return MakeArt(rt, s, std::move(copy), place, newArt);
    });
}

SPErr GetArtType(AIArtHandle handle, int16_t* type) {
    return DocumentBoundary(Op::ArtGetType, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = s.doc.FindArt(ArtIdOf(handle));
        if (!art || !type) return kSPBadParameterError;
        *type = art->kind == ArtKind::Path ? static_cast<int16_t>(kPathArt) : static_cast<int16_t>(kUnknownArt);
        return kSPNoError;
    });
}

SPErr GetArtBounds(AIArtHandle handle, AIRealRect* bounds) {
    return DocumentBoundary(Op::ArtGetBounds, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = s.doc.FindArt(ArtIdOf(handle));
        if (!art || !bounds) return kSPBadParameterError;
        const auto& points = art->path.points;
        if (points.empty()) {
            *bounds = {0, 0, 0, 0};
            return kSPNoError;
        }
        float left = points[0].px, right = left, bottom = points[0].py, top = bottom;
        const auto take = [&](float x, float y) {
            left = std::min(left, x);
            right = std::max(right, x);
            bottom = std::min(bottom, y);
            top = std::max(top, y);
        };
        for (const SegmentPoints& p : points) {
            take(p.px, p.py);
            take(p.ix, p.iy);
            take(p.ox, p.oy);
        }
        *bounds = {left, top, right, bottom};
        return kSPNoError;
    });
}

const AIArtSuite kTable = {NewArt, DuplicateArt, GetArtType, GetArtBounds};

}  // namespace

const void* ArtSuiteTable() { return &kTable; }

}  // namespace easel
