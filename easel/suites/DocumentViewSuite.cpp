// "AI Document View Suite" v7. A view handle is the view's position + 1; views are never
// removed while a document is open.
#include <cmath>

#include "AIDocumentView.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

AIDocumentViewHandle ViewHandle(size_t index) {
    return MakeHandle<AIDocumentViewHandle>(HandleKind::View, static_cast<uint32_t>(index + 1));
}

// The view named by `handle` (NULL: the first view), or nullptr.
const View* FindView(const Session& s, AIDocumentViewHandle handle) {
    if (!handle) return s.doc.views.empty() ? nullptr : &s.doc.views[0];
    const uint32_t id = HandleId(HandleKind::View, handle);
    if (id == 0 || id > s.doc.views.size()) return nullptr;
    return &s.doc.views[id - 1];
}

SPErr SPAPI CountDocumentViews(int32_t* count) {
    return DocumentBoundary(Op::ViewCount, [&](Runtime&, Session& s) -> SPErr {
        if (!count) return kSPBadParameterError;
        *count = static_cast<int32_t>(s.doc.views.size());
        return kSPNoError;
    });
}

SPErr SPAPI GetNthDocumentView(int32_t n, AIDocumentViewHandle* view) {
    return DocumentBoundary(Op::ViewGetNth, [&](Runtime&, Session& s) -> SPErr {
        if (!view) return kSPBadParameterError;
        *view = nullptr;
        if (n < 0 || size_t(n) >= s.doc.views.size()) return kSPBadParameterError;
        *view = ViewHandle(size_t(n));
        return kSPNoError;
    });
}

SPErr SPAPI GetDocumentViewCenter(AIDocumentViewHandle handle, AIRealPoint* center) {
    return DocumentBoundary(Op::ViewGetCenter, [&](Runtime&, Session& s) -> SPErr {
        const View* v = FindView(s, handle);
        if (!v || !center) return kSPBadParameterError;
        *center = {v->centreX, v->centreY};
        return kSPNoError;
    });
}

// The view's centre pixel shows its centre point; pixels are 1/zoom points, y downward.
SPErr SPAPI ViewPointToArtworkPoint(AIDocumentViewHandle handle, const AIPoint* viewPoint,
                                    AIRealPoint* artworkPoint) {
    return DocumentBoundary(Op::ViewPointToArtwork, [&](Runtime&, Session& s) -> SPErr {
        const View* v = FindView(s, handle);
        if (!v || !viewPoint || !artworkPoint || !(v->zoom > 0)) return kSPBadParameterError;
        const float dx = static_cast<float>(viewPoint->h) - static_cast<float>(v->widthPx) * 0.5f;
        const float dy = static_cast<float>(viewPoint->v) - static_cast<float>(v->heightPx) * 0.5f;
        *artworkPoint = {v->centreX + dx / v->zoom, v->centreY - dy / v->zoom};
        return kSPNoError;
    });
}

const AIDocumentViewSuite kTable = {CountDocumentViews, GetNthDocumentView, GetDocumentViewCenter,
                                    ViewPointToArtworkPoint};

}  // namespace

const void* DocumentViewSuiteTable() { return &kTable; }

}  // namespace easel
