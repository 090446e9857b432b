// "AI Art Style Suite" v3. A style handle is the style's position + 1; the list does not change
// while a document is open. A style sets the art's paint and opacity together.
#include "AIArtStyle.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI CountArtStyles(int32_t* count) {
    return DocumentBoundary(Op::ArtStyleCount, [&](Runtime&, Session& s) -> SPErr {
        if (!count) return kSPBadParameterError;
        *count = static_cast<int32_t>(s.doc.styles.size());
        return kSPNoError;
    });
}

SPErr SPAPI GetNthArtStyle(int32_t n, AIArtStyleHandle* style) {
    return DocumentBoundary(Op::ArtStyleGetNth, [&](Runtime&, Session& s) -> SPErr {
        if (!style) return kSPBadParameterError;
        *style = nullptr;
        if (n < 0 || size_t(n) >= s.doc.styles.size()) return kSPBadParameterError;
        *style = MakeHandle<AIArtStyleHandle>(HandleKind::Style, static_cast<uint32_t>(n) + 1);
        return kSPNoError;
    });
}

SPErr SPAPI SetArtStyle(AIArtHandle art, AIArtStyleHandle style) {
    return DocumentBoundary(Op::ArtStyleSet, [&](Runtime&, Session& s) -> SPErr {
        const uint32_t id = HandleId(HandleKind::Style, style);
        if (id == 0 || id > s.doc.styles.size()) return kSPBadParameterError;
        Art* target = nullptr;
        if (const SPErr e = BeginArtChange(s, art, target)) return e;
        const GraphicStyle& g = s.doc.styles[id - 1];
        // An envelope shows its content's paint, so the paint goes to the content; both
        // journal entries come before either change, so that a failure changes nothing.
        Art* painted = target;
        if (target->kind == ArtKind::Envelope) {
            const ArtId contentId = target->envelope.content;
            if (!s.doc.FindArt(contentId)) return kSPBadParameterError;
            if (!s.journal.Covers(contentId)) s.journal.Changing(s.doc, contentId);
            painted = s.doc.FindArt(contentId);
            target = s.doc.FindArt(ArtIdOf(art));
        }
        target->opacity = g.opacity;
        painted->style = g.paint;
        return kSPNoError;
    });
}

const AIArtStyleSuite kTable = {CountArtStyles, GetNthArtStyle, SetArtStyle};

}  // namespace

const void* ArtStyleSuiteTable() { return &kTable; }

}  // namespace easel
