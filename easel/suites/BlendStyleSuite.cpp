// "AI Blend Style Suite" v2: an art object's opacity. An envelope has an opacity of its own,
// which multiplies its content's when it is shown.
#include <cmath>

#include "AIBlendStyle.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

// Not an SPErr entry, so neither counted nor faulted: it cannot fail.
AIReal SPAPI GetOpacity(AIArtHandle handle) {
    Runtime* rt = Runtime::live;
    if (!rt || !rt->current) return 1.0f;
    const Art* art = rt->current->doc.FindArt(ArtIdOf(handle));
    return art ? art->opacity : 1.0f;
}

SPErr SPAPI SetOpacity(AIArtHandle handle, AIReal opacity) {
    return DocumentBoundary(Op::BlendSetOpacity, [&](Runtime&, Session& s) -> SPErr {
        if (std::isnan(opacity)) return kSPBadParameterError;
        Art* art = nullptr;
        if (const SPErr e = BeginArtChange(s, handle, art)) return e;
        art->opacity = opacity < 0.0f ? 0.0f : opacity > 1.0f ? 1.0f : opacity;
        return kSPNoError;
    });
}

const AIBlendStyleSuite kTable = {GetOpacity, SetOpacity};

}  // namespace

const void* BlendStyleSuiteTable() { return &kTable; }

}  // namespace easel
