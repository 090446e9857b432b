// "AI Swatch List Suite" v4. A swatch handle is the swatch's position + 1; the list does not
// change while a document is open.
#include "AISwatchList.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI CountSwatches(int32_t* count) {
    return DocumentBoundary(Op::SwatchCount, [&](Runtime&, Session& s) -> SPErr {
        if (!count) return kSPBadParameterError;
        *count = static_cast<int32_t>(s.doc.swatches.size());
        return kSPNoError;
    });
}

SPErr SPAPI GetNthSwatch(int32_t n, AISwatchRef* swatch) {
    return DocumentBoundary(Op::SwatchGetNth, [&](Runtime&, Session& s) -> SPErr {
        if (!swatch) return kSPBadParameterError;
        *swatch = nullptr;
        if (n < 0 || size_t(n) >= s.doc.swatches.size()) return kSPBadParameterError;
        *swatch = MakeHandle<AISwatchRef>(HandleKind::Swatch, static_cast<uint32_t>(n) + 1);
        return kSPNoError;
    });
}

SPErr SPAPI GetSwatchColor(AISwatchRef swatch, PaintColor* color) {
    return DocumentBoundary(Op::SwatchGetColor, [&](Runtime&, Session& s) -> SPErr {
        const uint32_t id = HandleId(HandleKind::Swatch, swatch);
        if (id == 0 || id > s.doc.swatches.size() || !color) return kSPBadParameterError;
        *color = s.doc.swatches[id - 1].color;
        return kSPNoError;
    });
}

const AISwatchListSuite kTable = {CountSwatches, GetNthSwatch, GetSwatchColor};

}  // namespace

const void* SwatchListSuiteTable() { return &kTable; }

}  // namespace easel
