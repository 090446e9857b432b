// "AI Envelope Suite" v1: art distorted into the shape of other art, or by a preset warp.
//
// MakeEnvelope puts the envelope where the content stood and takes content and shape off the
// page; both stay live art, held by the envelope (their `owner`), so that the plug-in may go on
// reading, writing, copying and styling the content through its handle. What the envelope
// shows is computed from them when asked (document/Envelope.h).
#include <algorithm>
#include <cmath>

#include "AIEnvelope.h"
#include "geometry/Warp.h"
#include "suites/ArtMaking.h"

namespace easel {
namespace {

// The index of `id` in the layer's list (from the top, where new art is); size() when absent.
size_t PositionOf(const Layer& layer, ArtId id) {
    const auto at = std::find(layer.art.rbegin(), layer.art.rend(), id);
    return at == layer.art.rend() ? layer.art.size() : static_cast<size_t>(layer.art.rend() - at) - 1;
}

SPErr SPAPI MakeEnvelope(AIArtHandle* art, int32_t artCount, AIArtHandle shape, const AIEnvelopeOptions* options,
                         AIArtHandle* envelope) {
    return DocumentBoundary(Op::EnvelopeMake, [&](Runtime& rt, Session& s) -> SPErr {
        if (!envelope) return kSPBadParameterError;
        *envelope = nullptr;
        if (!art || artCount != 1) return kSPBadParameterError;
        const AIEnvelopeOptions chosen = options ? *options : AIEnvelopeOptions{0, 50};
        if (chosen.fidelity < 0 || chosen.fidelity > 100) return kSPBadParameterError;
        const ArtId contentId = ArtIdOf(art[0]);
        const ArtId shapeId = ArtIdOf(shape);
        const Art* content = s.doc.FindArt(contentId);
        const Art* outline = s.doc.FindArt(shapeId);
        // Both must be paths on the page: an envelope does not take art another one holds.
        if (!content || !outline || contentId == shapeId || content->kind != ArtKind::Path ||
            outline->kind != ArtKind::Path || content->owner || outline->owner)
            return kSPBadParameterError;
        Layer* contentLayer = s.LayerOfArt(contentId);
        Layer* shapeLayer = s.LayerOfArt(shapeId);
        if (!contentLayer || !shapeLayer || PositionOf(*contentLayer, contentId) == contentLayer->art.size() ||
            PositionOf(*shapeLayer, shapeId) == shapeLayer->art.size())
            return kSPBadParameterError;
        if (const SPErr e = CheckWritable(contentLayer)) return e;
        if (const SPErr e = CheckWritable(shapeLayer)) return e;

        // Every journal entry and reservation first: a failure up to MakeArt changes nothing
        // (a copy taken of art that then does not change restores it as it is).
        if (!s.journal.Covers(contentId)) s.journal.Changing(s.doc, contentId);
        if (!s.journal.Covers(shapeId)) s.journal.Changing(s.doc, shapeId);
        s.journal.ReserveRemovals(2);

        Art made;
        made.kind = ArtKind::Envelope;
        made.envelope.content = contentId;
        made.envelope.shape = shapeId;
        made.envelope.flags = chosen.flags;
        made.envelope.fidelity = chosen.fidelity;
        Place place{contentLayer, PositionOf(*contentLayer, contentId)};
        if (const SPErr e = MakeArt(rt, s, std::move(made), place, envelope)) return e;

        // From here nothing can fail. The envelope went in just below the content.
        const ArtId envelopeId = ArtIdOf(*envelope);
        for (ArtId held : {contentId, shapeId}) {
            Layer& layer = *s.LayerOfArt(held);
            const size_t at = PositionOf(layer, held);
            s.journal.Removing(layer.id, at, held);
            layer.art.erase(layer.art.begin() + static_cast<std::ptrdiff_t>(at));
            s.doc.FindArt(held)->owner = envelopeId;
        }
        return kSPNoError;
    });
}

bool Amount(AIReal v) { return std::isfinite(v) && v >= -1.0f && v <= 1.0f; }

SPErr SPAPI SetEnvelopeWarp(AIArtHandle envelope, int32_t style, AIReal bend, AIReal horizontal, AIReal vertical,
                            SPBoolean rotate) {
    return DocumentBoundary(Op::EnvelopeSetWarp, [&](Runtime&, Session& s) -> SPErr {
        const Art* found = s.doc.FindArt(ArtIdOf(envelope));
        if (!found || found->kind != ArtKind::Envelope) return kSPBadParameterError;
        if (style < geometry::kFirstWarp || style > geometry::kLastWarp) return kSPBadParameterError;
        if (!Amount(bend) || !Amount(horizontal) || !Amount(vertical)) return kSPBadParameterError;
        Art* art = nullptr;
        if (const SPErr e = BeginArtChange(s, envelope, art)) return e;
        EnvelopeData& e = art->envelope;
        e.warp = style;
        e.bend = bend;
        e.horizontal = horizontal;
        e.vertical = vertical;
        e.rotate = rotate != 0;
        return kSPNoError;
    });
}

const AIEnvelopeSuite kTable = {MakeEnvelope, SetEnvelopeWarp};

}  // namespace

const void* EnvelopeSuiteTable() { return &kTable; }

}  // namespace easel
