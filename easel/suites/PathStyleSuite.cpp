// "AI Path Style Suite" v5: the paint record of path art.
#include <cmath>

#include "AIPathStyle.h"
#include "suites/RecordLayouts.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

bool KnownKind(int32_t kind) { return kind >= kGrayColor && kind <= kNoneColor; }

bool FiniteColor(const PaintColor& color) {
    for (float c : color.c)
        if (!std::isfinite(c)) return false;
    return true;
}

// Every float of the record must be finite, unused slots included: the document keeps the whole
// record, and a document holding a NaN or an infinity could not be written out and read back.
bool Acceptable(const PathStyle& style) {
    bool finite = FiniteColor(style.fillColor) && FiniteColor(style.strokeColor) &&
                  std::isfinite(style.miterLimit) && std::isfinite(style.dash.offset);
    for (float d : style.dash.array) finite = finite && std::isfinite(d);
    return finite && KnownKind(style.fillColor.kind) && KnownKind(style.strokeColor.kind) &&
           std::isfinite(style.strokeWidth) && style.strokeWidth >= 0 && style.dash.count >= 0 &&
           style.dash.count <= 6;
}

SPErr SPAPI GetPathStyle(AIArtHandle path, PathStyle* style) {
    return DocumentBoundary(Op::StyleGet, [&](Runtime&, Session& s) -> SPErr {
        const Art* art = s.doc.FindArt(ArtIdOf(path));
        if (!art || art->kind != ArtKind::Path || !style) return kSPBadParameterError;
        *style = art->style;
        return kSPNoError;
    });
}

SPErr SPAPI SetPathStyle(AIArtHandle path, const PathStyle* style) {
    return DocumentBoundary(Op::StyleSet, [&](Runtime&, Session& s) -> SPErr {
        if (!style || !Acceptable(*style)) return kSPBadParameterError;
        const Art* target = s.doc.FindArt(ArtIdOf(path));
        if (!target || target->kind != ArtKind::Path) return kSPBadParameterError;
        Art* art = nullptr;
        if (const SPErr e = BeginArtChange(s, path, art)) return e;
        art->style = *style;
        return kSPNoError;
    });
}

const AIPathStyleSuite kTable = {GetPathStyle, SetPathStyle};

}  // namespace

const void* PathStyleSuiteTable() { return &kTable; }

}  // namespace easel
