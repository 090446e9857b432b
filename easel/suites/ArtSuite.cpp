// "AI Art Suite" v9: making, copying and measuring art.
#include <algorithm>

#include "AIArt.h"
#include "AIEnvelope.h"
#include "document/Envelope.h"
#include "geometry/Outline.h"
#include "suites/ArtMaking.h"

namespace easel {

Art NewPathArt(const Session& s) {
    Art art;
    art.kind = ArtKind::Path;
    art.style = s.doc.currentPaint;
    art.opacity = 1.0f;
    return art;
}

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
            // Art an envelope holds is shown by the envelope, so it is placed by that.
            const ArtId prepId = s.doc.PlacedArt(ArtIdOf(prep));
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

namespace {

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

}  // namespace

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

SPErr MakeHeldArt(Runtime& rt, Session& s, Art art, ArtId* newId) {
    Document& doc = s.doc;
    size_t growth = PathBytes(art.path);
    if (doc.freedArtIds.empty() && doc.arts.size() == doc.arts.capacity())
        growth += (Grown(doc.arts.capacity(), 16) - doc.arts.capacity()) * sizeof(std::optional<Art>);
    if (doc.artBytesHeld + growth > rt.config.memoryBudget) return kSPOutOfMemoryError;
    const size_t before = doc.arts.capacity();
    const ArtId id = doc.ReserveArt();
    doc.artBytesHeld += (doc.arts.capacity() - before) * sizeof(std::optional<Art>);
    if (id == 0) return kSPOutOfMemoryError;
    s.journal.ReserveCreated(id);
    doc.artBytesHeld += PathBytes(art.path);
    doc.AddArt(std::move(art));
    s.journal.Created(id, 0);  // on no layer: undo only removes it
    *newId = id;
    return kSPNoError;
}

namespace {

SPErr SPAPI NewArt(int16_t type, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
    return DocumentBoundary(Op::ArtNew, [&](Runtime& rt, Session& s) -> SPErr {
        if (!newArt) return kSPBadParameterError;
        *newArt = nullptr;
        if (type != kPathArt) return kSPBadParameterError;
        Place place;
        if (const SPErr e = FindPlace(s, paintOrder, prep, place)) return e;
        Art art = NewPathArt(s);
        // The storage of a path undone in this transaction, whose bytes pass to the new path.
        art.path = s.doc.TakeSparePath();
        s.doc.artBytesHeld -= PathBytes(art.path);
        return MakeArt(rt, s, std::move(art), place, newArt);
    });
}

SPErr SPAPI DuplicateArt(AIArtHandle source, int16_t paintOrder, AIArtHandle prep, AIArtHandle* newArt) {
    return DocumentBoundary(Op::ArtDuplicate, [&](Runtime& rt, Session& s) -> SPErr {
        if (!newArt) return kSPBadParameterError;
        *newArt = nullptr;
        const Art* original = s.doc.FindArt(ArtIdOf(source));
        if (!original) return kSPBadParameterError;
        Place place;
        if (const SPErr e = FindPlace(s, paintOrder, prep, place)) return e;
        Art copy = *original;  // segments, closed flag, style, opacity; a copy holds no spare room
        copy.owner = 0;        // a copy of an envelope's content is art of its own on the page
        if (copy.kind != ArtKind::Envelope) return MakeArt(rt, s, std::move(copy), place, newArt);

        // An envelope is copied with copies of its content and shape, held by the copy.
        const Art* content = s.doc.FindArt(original->envelope.content);
        const Art* shape = s.doc.FindArt(original->envelope.shape);
        if (!content || !shape) return kSPBadParameterError;
        Art heldContent = *content, heldShape = *shape;
        ArtId contentId = 0, shapeId = 0;
        if (const SPErr e = MakeHeldArt(rt, s, std::move(heldContent), &contentId)) return e;
        SPErr e = MakeHeldArt(rt, s, std::move(heldShape), &shapeId);
        if (!e) {
            copy.envelope.content = contentId;
            copy.envelope.shape = shapeId;
            e = MakeArt(rt, s, std::move(copy), place, newArt);
        }
        if (e) {
            // Held copies nothing holds are dropped; the journal passes over dead ids.
            for (ArtId id : {contentId, shapeId})
                if (const Art* held = s.doc.FindArt(id)) {
                    s.doc.artBytesHeld -= PathBytes(held->path);
                    s.doc.RemoveArt(id);
                }
            return e;
        }
        const ArtId envelopeId = ArtIdOf(*newArt);
        s.doc.FindArt(contentId)->owner = envelopeId;
        s.doc.FindArt(shapeId)->owner = envelopeId;
        return kSPNoError;
    });
}

SPErr SPAPI GetArtType(AIArtHandle handle, int16_t* type) {
    return DocumentBoundary(Op::ArtGetType, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = s.doc.FindArt(ArtIdOf(handle));
        if (!art || !type) return kSPBadParameterError;
        switch (art->kind) {
            case ArtKind::Path: *type = static_cast<int16_t>(kPathArt); break;
            case ArtKind::Envelope: *type = static_cast<int16_t>(kEnvelopeArt); break;
        }
        return kSPNoError;
    });
}

SPErr SPAPI GetArtBounds(AIArtHandle handle, AIRealRect* bounds) {
    return DocumentBoundary(Op::ArtGetBounds, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = s.doc.FindArt(ArtIdOf(handle));
        if (!art || !bounds) return kSPBadParameterError;
        // An envelope measures what it shows.
        const geometry::Box b = art->kind == ArtKind::Envelope
                                    ? geometry::PathBounds(EnvelopeResult(s.doc, *art))
                                    : geometry::PathBounds(art->path);
        // Every coordinate is a float, so each extreme is one exactly.
        *bounds = {static_cast<float>(b.left), static_cast<float>(b.top),
                   static_cast<float>(b.right), static_cast<float>(b.bottom)};
        return kSPNoError;
    });
}

const AIArtSuite kTable = {NewArt, DuplicateArt, GetArtType, GetArtBounds};

}  // namespace

const void* ArtSuiteTable() { return &kTable; }

}  // namespace easel
