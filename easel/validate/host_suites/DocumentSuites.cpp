// The suites over the document and its art: Document, Document View, Undo, Art, Path,
// Path Style, Swatch List, Art Style and Layer, each called with hostile arguments.
#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "AIArtStyle.h"
#include "AIDocument.h"
#include "AIDocumentView.h"
#include "AIEnvelope.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AISwatchList.h"
#include "AIUndo.h"
#include "validate/host_suites/Kit.h"

namespace easel::validate::host_suites {
namespace {

// ---- AI Document Suite and AI Document View Suite -------------------------------------------

void DocumentNoDocument(Probe& p, const AIDocumentSuite& s) {
    AIDocumentSetup setup{};
    int16_t model = 0;
    if (HAS(s, GetDocumentSetup)) p.Code("GetDocumentSetup(&setup) without a document", s.GetDocumentSetup(&setup), kSPNoDocumentError);
    if (HAS(s, RedrawDocument)) p.Code("RedrawDocument() without a document", s.RedrawDocument(), kSPNoDocumentError);
    if (HAS(s, GetDocumentColorModel)) p.Code("GetDocumentColorModel(&model) without a document", s.GetDocumentColorModel(&model), kSPNoDocumentError);
}

void DocumentHostile(Probe& p, Fixture&, const AIDocumentSuite& s) {
    if (s.GetDocumentSetup) p.Code("GetDocumentSetup(NULL)", s.GetDocumentSetup(nullptr), kSPBadParameterError);
    if (s.GetDocumentColorModel) p.Code("GetDocumentColorModel(NULL)", s.GetDocumentColorModel(nullptr), kSPBadParameterError);
}

void DocumentValid(Probe& p, Fixture&, const AIDocumentSuite& s) {
    AIDocumentSetup setup{};
    int16_t model = -1;
    if (s.GetDocumentSetup) {
        p.Code("GetDocumentSetup(&setup)", s.GetDocumentSetup(&setup), kSPNoError);
        if (setup.width != 612 || setup.height != 792) p.Fault("GetDocumentSetup: not the US Letter page");
    }
    if (s.RedrawDocument) p.Code("RedrawDocument()", s.RedrawDocument(), kSPNoError);
    if (s.GetDocumentColorModel) {
        p.Code("GetDocumentColorModel(&model)", s.GetDocumentColorModel(&model), kSPNoError);
        if (model != kDocRGBColor) p.Fault("GetDocumentColorModel: not RGB");
    }
}

void ViewNoDocument(Probe& p, const AIDocumentViewSuite& s) {
    int32_t n = 0;
    AIDocumentViewHandle view = nullptr;
    AIRealPoint centre{};
    const AIPoint at{0, 0};
    if (HAS(s, CountDocumentViews)) p.Code("CountDocumentViews(&n) without a document", s.CountDocumentViews(&n), kSPNoDocumentError);
    if (HAS(s, GetNthDocumentView)) p.Code("GetNthDocumentView(0, &view) without a document", s.GetNthDocumentView(0, &view), kSPNoDocumentError);
    if (HAS(s, GetDocumentViewCenter)) p.Code("GetDocumentViewCenter(NULL, &centre) without a document", s.GetDocumentViewCenter(nullptr, &centre), kSPNoDocumentError);
    if (HAS(s, ViewPointToArtworkPoint))
        p.Code("ViewPointToArtworkPoint(NULL, &at, &point) without a document", s.ViewPointToArtworkPoint(nullptr, &at, &centre), kSPNoDocumentError);
}

void ViewHostile(Probe& p, Fixture& f, const AIDocumentViewSuite& s) {
    int32_t count = 0;
    if (s.CountDocumentViews) {
        p.Code("CountDocumentViews(NULL)", s.CountDocumentViews(nullptr), kSPBadParameterError);
        s.CountDocumentViews(&count);
    }
    AIDocumentViewHandle first = nullptr;
    if (s.GetNthDocumentView) {
        p.Code("GetNthDocumentView(0, NULL)", s.GetNthDocumentView(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> bad(std::begin(kBadInt32), std::end(kBadInt32));
        bad.push_back(count);
        for (int32_t n : bad) {
            AIDocumentViewHandle view = nullptr;
            p.Code(Cat("GetNthDocumentView(", IntText(n), ", &view)"), s.GetNthDocumentView(n, &view), kSPBadParameterError);
        }
        s.GetNthDocumentView(0, &first);
    }
    auto forged = f.Forged<AIDocumentViewHandle>(false);  // NULL is the first view
    forged.push_back({"an art", reinterpret_cast<AIDocumentViewHandle>(f.live)});
    AIRealPoint point{};
    const AIPoint at{10, 10};
    if (s.GetDocumentViewCenter) {
        for (const auto& v : forged)
            p.Code("GetDocumentViewCenter(" + v.name + ", &centre)", s.GetDocumentViewCenter(v.handle, &point), kSPBadParameterError);
        p.Code("GetDocumentViewCenter(view, NULL)", s.GetDocumentViewCenter(first, nullptr), kSPBadParameterError);
        p.Code("GetDocumentViewCenter(NULL, NULL)", s.GetDocumentViewCenter(nullptr, nullptr), kSPBadParameterError);
    }
    if (s.ViewPointToArtworkPoint) {
        for (const auto& v : forged)
            p.Code("ViewPointToArtworkPoint(" + v.name + ", &at, &point)", s.ViewPointToArtworkPoint(v.handle, &at, &point),
                   kSPBadParameterError);
        p.Code("ViewPointToArtworkPoint(view, NULL, &point)", s.ViewPointToArtworkPoint(first, nullptr, &point), kSPBadParameterError);
        p.Code("ViewPointToArtworkPoint(view, &at, NULL)", s.ViewPointToArtworkPoint(first, &at, nullptr), kSPBadParameterError);
        for (int32_t h : {INT32_MIN, INT32_MAX})
            for (int32_t v : {INT32_MIN, INT32_MAX}) {
                const AIPoint far{h, v};
                const SPErr e = s.ViewPointToArtworkPoint(first, &far, &point);
                p.Result(Cat("ViewPointToArtworkPoint(view, {", IntText(h), ", ", IntText(v), "})"),
                         e != kSPNoError || (std::isfinite(point.h) && std::isfinite(point.v)), "answered a non-finite point");
            }
    }
}

void ViewValid(Probe& p, Fixture&, const AIDocumentViewSuite& s) {
    if (!s.GetNthDocumentView || !s.GetDocumentViewCenter) return;
    AIDocumentViewHandle view = nullptr;
    AIRealPoint centre{};
    p.Code("GetNthDocumentView(0, &view)", s.GetNthDocumentView(0, &view), kSPNoError);
    p.Code("GetDocumentViewCenter(view, &centre)", s.GetDocumentViewCenter(view, &centre), kSPNoError);
    if (centre.h != 306 || centre.v != 396) p.Fault("the first view is not centred on the page");
}

// ---- AI Undo Suite --------------------------------------------------------------------------

void UndoNoDocument(Probe& p, const AIUndoSuite& s) {
    if (HAS(s, UndoChanges)) p.Code("UndoChanges() without a document", s.UndoChanges(), kSPNoDocumentError);
}

void UndoHostile(Probe& p, Fixture&, const AIUndoSuite& s) {
    // Everything of the current message is already undone: again, and again, does nothing.
    if (s.UndoChanges)
        for (int i = 0; i < 3; ++i) p.Code("UndoChanges() with nothing to undo", s.UndoChanges(), kSPNoError);
}

void UndoValid(Probe& p, Fixture& f, const AIUndoSuite& s) {
    Acquired<AIArtSuite> art(f.host.Basic(), kAIArtSuite, kAIArtSuiteVersion);
    if (!s.UndoChanges || !art) return;
    const std::string before = DumpDocumentText(*f.doc);
    AIArtHandle made = nullptr;
    p.Code("NewArt(kPathArt, kPlaceAboveAll, NULL, &art)", art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &made), kSPNoError);
    p.Code("UndoChanges()", s.UndoChanges(), kSPNoError);
    int16_t type = 0;
    p.Code("GetArtType of the undone art", art->GetArtType(made, &type), kSPBadParameterError);
    if (DumpDocumentText(*f.doc) != before) p.Fault("UndoChanges did not restore the document");
}

// ---- AI Art Suite ---------------------------------------------------------------------------

void ArtNoDocument(Probe& p, const AIArtSuite& s) {
    AIArtHandle art = nullptr;
    int16_t type = 0;
    AIRealRect bounds{};
    const auto some = reinterpret_cast<AIArtHandle>(uintptr_t{0x100});
    if (HAS(s, NewArt)) p.Code("NewArt without a document", s.NewArt(kPathArt, kPlaceAboveAll, nullptr, &art), kSPNoDocumentError);
    if (HAS(s, DuplicateArt)) p.Code("DuplicateArt without a document", s.DuplicateArt(some, kPlaceAboveAll, nullptr, &art), kSPNoDocumentError);
    if (HAS(s, GetArtType)) p.Code("GetArtType without a document", s.GetArtType(some, &type), kSPNoDocumentError);
    if (HAS(s, GetArtBounds)) p.Code("GetArtBounds without a document", s.GetArtBounds(some, &bounds), kSPNoDocumentError);
}

void ArtHostile(Probe& p, Fixture& f, const AIArtSuite& s) {
    const auto bad = f.BadArt();
    const int16_t badTypes[] = {kUnknownArt, 1, -1, INT16_MIN, INT16_MAX, kEnvelopeArt};
    const int16_t badOrders[] = {0, kPlaceInsideOnTop, kPlaceInsideOnBottom, 7, -1, INT16_MIN, INT16_MAX};
    AIArtHandle made = nullptr;
    if (s.NewArt) {
        p.Code("NewArt(kPathArt, kPlaceAboveAll, NULL, NULL)", s.NewArt(kPathArt, kPlaceAboveAll, nullptr, nullptr), kSPBadParameterError);
        for (int16_t type : badTypes)
            p.Code(Cat("NewArt(", IntText(type), ", kPlaceAboveAll, NULL, &art)"), s.NewArt(type, kPlaceAboveAll, nullptr, &made),
                   kSPBadParameterError);
        for (int16_t order : badOrders)
            p.Code(Cat("NewArt(kPathArt, ", IntText(order), ", art, &art)"), s.NewArt(kPathArt, order, f.live, &made),
                   kSPBadParameterError);
        for (int16_t order : {int16_t(kPlaceAbove), int16_t(kPlaceBelow)})
            for (const auto& prep : bad)
                p.Code(Cat("NewArt(kPathArt, ", order, ", ", prep.name, ", &art)"), s.NewArt(kPathArt, order, prep.handle, &made),
                       kSPBadParameterError);
        p.Code("NewArt above an art on a locked layer", s.NewArt(kPathArt, kPlaceAbove, f.onLocked, &made), kAILockedLayerError);
        p.Code("NewArt below an art on a hidden layer", s.NewArt(kPathArt, kPlaceBelow, f.onHidden, &made), kAILockedLayerError);
        // The current layer locked, then hidden.
        const LayerId current = f.doc->currentLayer;
        for (size_t at : {size_t{1}, size_t{2}}) {
            f.doc->currentLayer = f.doc->layers[at].id;
            for (int16_t order : {int16_t(kPlaceAboveAll), int16_t(kPlaceBelowAll)})
                p.Code(Cat("NewArt(kPathArt, ", order, ") on a ", at == 1 ? "locked" : "hidden", " current layer"),
                       s.NewArt(kPathArt, order, nullptr, &made), kAILockedLayerError);
        }
        f.doc->currentLayer = current;
    }
    if (s.DuplicateArt) {
        for (const auto& a : bad)
            p.Code("DuplicateArt(" + a.name + ", kPlaceAboveAll, NULL, &art)", s.DuplicateArt(a.handle, kPlaceAboveAll, nullptr, &made),
                   kSPBadParameterError);
        p.Code("DuplicateArt(art, kPlaceAboveAll, NULL, NULL)", s.DuplicateArt(f.live, kPlaceAboveAll, nullptr, nullptr), kSPBadParameterError);
        for (int16_t order : badOrders)
            p.Code(Cat("DuplicateArt(art, ", IntText(order), ", art, &art)"), s.DuplicateArt(f.live, order, f.live, &made),
                   kSPBadParameterError);
        for (const auto& prep : bad)
            p.Code("DuplicateArt(art, kPlaceAbove, " + prep.name + ", &art)", s.DuplicateArt(f.live, kPlaceAbove, prep.handle, &made),
                   kSPBadParameterError);
        p.Code("DuplicateArt(art, kPlaceAbove, art on a locked layer)", s.DuplicateArt(f.live, kPlaceAbove, f.onLocked, &made),
               kAILockedLayerError);
    }
    int16_t type = 0;
    AIRealRect bounds{};
    if (s.GetArtType) {
        for (const auto& a : bad) p.Code("GetArtType(" + a.name + ", &type)", s.GetArtType(a.handle, &type), kSPBadParameterError);
        p.Code("GetArtType(art, NULL)", s.GetArtType(f.live, nullptr), kSPBadParameterError);
    }
    if (s.GetArtBounds) {
        for (const auto& a : bad) p.Code("GetArtBounds(" + a.name + ", &bounds)", s.GetArtBounds(a.handle, &bounds), kSPBadParameterError);
        p.Code("GetArtBounds(art, NULL)", s.GetArtBounds(f.live, nullptr), kSPBadParameterError);
    }
    // A handle of another document's art names nothing in this one.
    f.host.NewDocument();
    if (s.GetArtType) p.Code("GetArtType of another document's art", s.GetArtType(f.live, &type), kSPBadParameterError);
    if (s.DuplicateArt)
        p.Code("DuplicateArt of another document's art", s.DuplicateArt(f.live, kPlaceAboveAll, nullptr, &made), kSPBadParameterError);
    f.host.SetCurrentDocument(*f.doc);
}

void ArtValid(Probe& p, Fixture& f, const AIArtSuite& s) {
    if (!s.DuplicateArt || !s.GetArtBounds || !s.GetArtType) return;
    AIArtHandle copy = nullptr;
    p.Code("DuplicateArt(art, kPlaceBelow, art, &copy)", s.DuplicateArt(f.live, kPlaceBelow, f.live, &copy), kSPNoError);
    AIRealRect a{}, b{};
    p.Code("GetArtBounds(art)", s.GetArtBounds(f.live, &a), kSPNoError);
    p.Code("GetArtBounds(copy)", s.GetArtBounds(copy, &b), kSPNoError);
    if (std::memcmp(&a, &b, sizeof a) != 0 || a.left != 100 || a.top != 200) p.Fault("the copy's bounds differ from the art's");
}

// ---- AI Path Suite --------------------------------------------------------------------------

void PathNoDocument(Probe& p, const AIPathSuite& s) {
    const auto some = reinterpret_cast<AIArtHandle>(uintptr_t{0x100});
    int16_t n = 0;
    AIPathSegment seg{};
    SPBoolean closed = 0;
    if (HAS(s, GetPathSegmentCount)) p.Code("GetPathSegmentCount without a document", s.GetPathSegmentCount(some, &n), kSPNoDocumentError);
    if (HAS(s, GetPathSegments)) p.Code("GetPathSegments without a document", s.GetPathSegments(some, 0, 1, &seg), kSPNoDocumentError);
    if (HAS(s, SetPathSegments)) p.Code("SetPathSegments without a document", s.SetPathSegments(some, 0, 1, &seg), kSPNoDocumentError);
    if (HAS(s, GetPathClosed)) p.Code("GetPathClosed without a document", s.GetPathClosed(some, &closed), kSPNoDocumentError);
    if (HAS(s, SetPathClosed)) p.Code("SetPathClosed without a document", s.SetPathClosed(some, 1), kSPNoDocumentError);
}

bool Untouched(const std::vector<AIPathSegment>& buffer) {
    for (const AIPathSegment& s : buffer)
        if (s.p.h != -7.0f || s.corner != 9) return false;
    return true;
}

void PathHostile(Probe& p, Fixture& f, const AIPathSuite& s) {
    const auto bad = f.BadArt();
    // Room for any count a 16-bit argument can name, so that a host that writes or reads past
    // a refused range cannot reach beyond the buffer; the marks show whether it wrote.
    const AIPathSegment mark{{-7, -7}, {-7, -7}, {-7, -7}, 9};
    std::vector<AIPathSegment> buffer(kAIMaxPathSegments + 1, mark);
    const AIPathSegment finite{{1, 2}, {3, 4}, {5, 6}, 0};
    std::vector<AIPathSegment> source(kAIMaxPathSegments + 1, finite);
    int16_t count = 3;
    if (s.GetPathSegmentCount) {
        for (const auto& a : bad)
            p.Code("GetPathSegmentCount(" + a.name + ", &count)", s.GetPathSegmentCount(a.handle, &count), kSPBadParameterError);
        p.Code("GetPathSegmentCount(art, NULL)", s.GetPathSegmentCount(f.live, nullptr), kSPBadParameterError);
    }
    const int16_t n = 3;  // the live path's segments
    struct Range {
        int16_t index, count;
    };
    std::vector<Range> badRanges;
    for (int16_t i : kBadInt16) badRanges.push_back({i, 1});
    for (int16_t c : kBadInt16) badRanges.push_back({0, c});
    badRanges.push_back({n, 1});
    badRanges.push_back({0, n + 1});
    badRanges.push_back({1, n});
    badRanges.push_back({INT16_MAX, INT16_MAX});
    badRanges.push_back({-1, 2});
    if (s.GetPathSegments) {
        for (const auto& a : bad)
            p.Code("GetPathSegments(" + a.name + ", 0, 1, buffer)", s.GetPathSegments(a.handle, 0, 1, buffer.data()), kSPBadParameterError);
        p.Code("GetPathSegments(art, 0, 1, NULL)", s.GetPathSegments(f.live, 0, 1, nullptr), kSPBadParameterError);
        for (const Range& r : badRanges)
            p.Code(Cat("GetPathSegments(art, ", IntText(r.index), ", ", IntText(r.count), ", buffer)"),
                   s.GetPathSegments(f.live, r.index, r.count, buffer.data()), kSPBadParameterError);
        if (!Untouched(buffer)) p.Fault("a refused GetPathSegments wrote into the caller's array");
    }
    if (s.SetPathSegments) {
        for (const auto& a : bad)
            p.Code("SetPathSegments(" + a.name + ", 0, 1, segments)", s.SetPathSegments(a.handle, 0, 1, source.data()), kSPBadParameterError);
        p.Code("SetPathSegments(art, 0, 1, NULL)", s.SetPathSegments(f.live, 0, 1, nullptr), kSPBadParameterError);
        for (int16_t i : {int16_t(-1), int16_t(INT16_MIN), int16_t(n + 1), int16_t(INT16_MAX)})
            p.Code(Cat("SetPathSegments(art, ", IntText(i), ", 1, segments)"), s.SetPathSegments(f.live, i, 1, source.data()),
                   kSPBadParameterError);
        for (int16_t c : {int16_t(-1), int16_t(INT16_MIN)})
            p.Code(Cat("SetPathSegments(art, 0, ", IntText(c), ", segments)"), s.SetPathSegments(f.live, 0, c, source.data()),
                   kSPBadParameterError);
        const auto past = static_cast<int16_t>(kAIMaxPathSegments - n + 1);
        p.Code(Cat("SetPathSegments(art, 3, ", past, ", segments) past the most a path holds"),
               s.SetPathSegments(f.live, n, past, source.data()), kAITooManySegmentsError);
        for (int field = 0; field < 6; ++field)
            for (float x : kNonFinite) {
                AIPathSegment two[2] = {finite, finite};
                float* coordinates[6] = {&two[1].p.h, &two[1].p.v, &two[1].in.h, &two[1].in.v, &two[1].out.h, &two[1].out.v};
                *coordinates[field] = x;
                static const char* const names[6] = {"p.h", "p.v", "in.h", "in.v", "out.h", "out.v"};
                p.Code(Cat("SetPathSegments(art, 0, 2, {finite, ", names[field], " = ", FloatText(x), "})"),
                       s.SetPathSegments(f.live, 0, 2, two), kSPBadParameterError);
                p.Code(Cat("SetPathSegments appending {", names[field], " = ", FloatText(x), "}"),
                       s.SetPathSegments(f.live, n, 1, &two[1]), kSPBadParameterError);
            }
        p.Code("SetPathSegments on a locked layer", s.SetPathSegments(f.onLocked, 0, 1, source.data()), kAILockedLayerError);
        p.Code("SetPathSegments on a hidden layer", s.SetPathSegments(f.onHidden, 0, 1, source.data()), kAILockedLayerError);
    }
    SPBoolean closed = 7;
    if (s.GetPathClosed) {
        for (const auto& a : bad) p.Code("GetPathClosed(" + a.name + ", &closed)", s.GetPathClosed(a.handle, &closed), kSPBadParameterError);
        p.Code("GetPathClosed(art, NULL)", s.GetPathClosed(f.live, nullptr), kSPBadParameterError);
    }
    if (s.SetPathClosed) {
        for (const auto& a : bad) p.Code("SetPathClosed(" + a.name + ", 0)", s.SetPathClosed(a.handle, 0), kSPBadParameterError);
        p.Code("SetPathClosed on a locked layer", s.SetPathClosed(f.onLocked, 1), kAILockedLayerError);
        p.Code("SetPathClosed on a hidden layer", s.SetPathClosed(f.onHidden, 1), kAILockedLayerError);
    }
}

void PathValid(Probe& p, Fixture& f, const AIPathSuite& s) {
    if (!s.GetPathSegmentCount || !s.SetPathSegments || !s.GetPathSegments) return;
    const AIPathSegment added{{300, 300}, {300, 300}, {300, 300}, 1};
    int16_t count = 0;
    p.Code("GetPathSegmentCount(art, &count)", s.GetPathSegmentCount(f.live, &count), kSPNoError);
    p.Code("SetPathSegments(art, count, 1, &segment)", s.SetPathSegments(f.live, count, 1, &added), kSPNoError);
    AIPathSegment back{};
    p.Code("GetPathSegments(art, count, 1, &back)", s.GetPathSegments(f.live, count, 1, &back), kSPNoError);
    if (back.p.h != 300 || back.corner != 1) p.Fault("the appended segment did not read back");
}

// ---- AI Path Style Suite --------------------------------------------------------------------

void PathStyleHostile(Probe& p, Fixture& f, const AIPathStyleSuite& s) {
    const auto bad = f.BadArt();
    PathStyle good{};
    if (s.GetPathStyle) {
        for (const auto& a : bad) p.Code("GetPathStyle(" + a.name + ", &style)", s.GetPathStyle(a.handle, &good), kSPBadParameterError);
        p.Code("GetPathStyle(art, NULL)", s.GetPathStyle(f.live, nullptr), kSPBadParameterError);
        if (s.GetPathStyle(f.live, &good) != kSPNoError) return p.Fault("GetPathStyle of the live art failed");
    }
    if (!s.SetPathStyle) return;
    for (const auto& a : bad) p.Code("SetPathStyle(" + a.name + ", &style)", s.SetPathStyle(a.handle, &good), kSPBadParameterError);
    p.Code("SetPathStyle(art, NULL)", s.SetPathStyle(f.live, nullptr), kSPBadParameterError);
    p.Code("SetPathStyle on a locked layer", s.SetPathStyle(f.onLocked, &good), kAILockedLayerError);
    p.Code("SetPathStyle on a hidden layer", s.SetPathStyle(f.onHidden, &good), kAILockedLayerError);
    auto refuse = [&](const std::string& what, const std::function<void(PathStyle&)>& spoil) {
        PathStyle style = good;
        spoil(style);
        p.Code("SetPathStyle with " + what, s.SetPathStyle(f.live, &style), kSPBadParameterError);
    };
    for (int32_t kind : {-1, 7, INT32_MIN, INT32_MAX}) {
        refuse(Cat("fill colour kind ", IntText(kind)), [&](PathStyle& st) { st.fillColor.kind = kind; });
        refuse(Cat("stroke colour kind ", IntText(kind)), [&](PathStyle& st) { st.strokeColor.kind = kind; });
    }
    for (float w : {kNaN, kInf, -kInf, -1.0f, -FLT_MIN})
        refuse("stroke width " + FloatText(w), [&](PathStyle& st) { st.strokeWidth = w; });
    for (int32_t c : {-1, 7, INT32_MIN, INT32_MAX}) refuse(Cat("dash count ", IntText(c)), [&](PathStyle& st) { st.dash.count = c; });
    // A non-finite number anywhere in the record could not be stored in a document that reads
    // back from its dump.
    for (float x : kNonFinite) {
        for (int i = 0; i < 4; ++i) {
            refuse(Cat("fill component ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.fillColor.c[i] = x; });
            refuse(Cat("stroke component ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.strokeColor.c[i] = x; });
        }
        refuse("miter limit " + FloatText(x), [&](PathStyle& st) { st.miterLimit = x; });
        refuse("dash offset " + FloatText(x), [&](PathStyle& st) { st.dash.offset = x; });
        for (int i = 0; i < 6; ++i)
            refuse(Cat("dash length ", i, " = ", FloatText(x)), [&](PathStyle& st) { st.dash.array[i] = x; });
    }
    PathStyle after{};
    if (s.GetPathStyle && (s.GetPathStyle(f.live, &after) != kSPNoError || std::memcmp(&after, &good, sizeof after) != 0))
        p.Fault("a refused SetPathStyle changed the art's paint");
}

void PathStyleValid(Probe& p, Fixture& f, const AIPathStyleSuite& s) {
    if (!s.GetPathStyle || !s.SetPathStyle) return;
    PathStyle style{};
    p.Code("GetPathStyle(art, &style)", s.GetPathStyle(f.live, &style), kSPNoError);
    style.strokeWidth = 3;
    style.dash = {2, {4, 2, 0, 0, 0, 0}, 1};
    p.Code("SetPathStyle(art, &style)", s.SetPathStyle(f.live, &style), kSPNoError);
    PathStyle back{};
    p.Code("GetPathStyle(art, &back)", s.GetPathStyle(f.live, &back), kSPNoError);
    if (std::memcmp(&back, &style, sizeof back) != 0) p.Fault("the paint set did not read back");
}

// ---- AI Swatch List Suite and AI Art Style Suite --------------------------------------------

void SwatchNoDocument(Probe& p, const AISwatchListSuite& s) {
    int32_t n = 0;
    AISwatchRef swatch = nullptr;
    PaintColor colour{};
    if (HAS(s, CountSwatches)) p.Code("CountSwatches without a document", s.CountSwatches(&n), kSPNoDocumentError);
    if (HAS(s, GetNthSwatch)) p.Code("GetNthSwatch without a document", s.GetNthSwatch(0, &swatch), kSPNoDocumentError);
    if (HAS(s, GetSwatchColor)) (void)s.GetSwatchColor(nullptr, &colour), p.Returned();
}

void SwatchHostile(Probe& p, Fixture& f, const AISwatchListSuite& s) {
    int32_t count = 0;
    if (s.CountSwatches) {
        p.Code("CountSwatches(NULL)", s.CountSwatches(nullptr), kSPBadParameterError);
        s.CountSwatches(&count);
    }
    AISwatchRef first = nullptr;
    if (s.GetNthSwatch) {
        p.Code("GetNthSwatch(0, NULL)", s.GetNthSwatch(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) {
            AISwatchRef swatch = reinterpret_cast<AISwatchRef>(&f.local);
            const std::string call = Cat("GetNthSwatch(", IntText(n), ", &swatch)");
            p.Code(call, s.GetNthSwatch(n, &swatch), kSPBadParameterError);
            if (swatch != nullptr) p.Fault(call + " left the swatch set");
        }
        s.GetNthSwatch(2, &first);
    }
    if (s.GetSwatchColor) {
        PaintColor colour{};
        auto forged = f.Forged<AISwatchRef>();
        forged.push_back({"an art", reinterpret_cast<AISwatchRef>(f.live)});
        for (const auto& w : forged)
            p.Code("GetSwatchColor(" + w.name + ", &colour)", s.GetSwatchColor(w.handle, &colour), kSPBadParameterError);
        p.Code("GetSwatchColor(swatch, NULL)", s.GetSwatchColor(first, nullptr), kSPBadParameterError);
    }
}

void SwatchValid(Probe& p, Fixture&, const AISwatchListSuite& s) {
    if (!s.GetNthSwatch || !s.GetSwatchColor) return;
    AISwatchRef white = nullptr;
    PaintColor colour{};
    p.Code("GetNthSwatch(2, &swatch)", s.GetNthSwatch(2, &white), kSPNoError);
    p.Code("GetSwatchColor(swatch, &colour)", s.GetSwatchColor(white, &colour), kSPNoError);
}

void ArtStyleNoDocument(Probe& p, const AIArtStyleSuite& s) {
    int32_t n = 0;
    AIArtStyleHandle style = nullptr;
    if (HAS(s, CountArtStyles)) p.Code("CountArtStyles without a document", s.CountArtStyles(&n), kSPNoDocumentError);
    if (HAS(s, GetNthArtStyle)) p.Code("GetNthArtStyle without a document", s.GetNthArtStyle(0, &style), kSPNoDocumentError);
    if (HAS(s, SetArtStyle)) p.Fails("SetArtStyle without a document", s.SetArtStyle(nullptr, nullptr));
}

void ArtStyleHostile(Probe& p, Fixture& f, const AIArtStyleSuite& s) {
    int32_t count = 0;
    if (s.CountArtStyles) {
        p.Code("CountArtStyles(NULL)", s.CountArtStyles(nullptr), kSPBadParameterError);
        s.CountArtStyles(&count);
    }
    AIArtStyleHandle first = nullptr;
    if (s.GetNthArtStyle) {
        p.Code("GetNthArtStyle(0, NULL)", s.GetNthArtStyle(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) {
            AIArtStyleHandle style = nullptr;
            p.Code(Cat("GetNthArtStyle(", IntText(n), ", &style)"), s.GetNthArtStyle(n, &style), kSPBadParameterError);
        }
        s.GetNthArtStyle(0, &first);
    }
    if (s.SetArtStyle) {
        for (const auto& a : f.BadArt())
            p.Code("SetArtStyle(" + a.name + ", style)", s.SetArtStyle(a.handle, first), kSPBadParameterError);
        auto forged = f.Forged<AIArtStyleHandle>();
        forged.push_back({"an art", reinterpret_cast<AIArtStyleHandle>(f.live)});
        for (const auto& st : forged)
            p.Code("SetArtStyle(art, " + st.name + ")", s.SetArtStyle(f.live, st.handle), kSPBadParameterError);
        p.Code("SetArtStyle on a locked layer", s.SetArtStyle(f.onLocked, first), kAILockedLayerError);
        p.Code("SetArtStyle on a hidden layer", s.SetArtStyle(f.onHidden, first), kAILockedLayerError);
    }
}

void ArtStyleValid(Probe& p, Fixture& f, const AIArtStyleSuite& s) {
    if (!s.GetNthArtStyle || !s.SetArtStyle) return;
    AIArtStyleHandle style = nullptr;
    p.Code("GetNthArtStyle(0, &style)", s.GetNthArtStyle(0, &style), kSPNoError);
    p.Code("SetArtStyle(art, style)", s.SetArtStyle(f.live, style), kSPNoError);
}

// ---- AI Layer Suite -------------------------------------------------------------------------

void LayerNoDocument(Probe& p, const AILayerSuite& s) {
    int32_t n = 0;
    AILayerHandle layer = nullptr;
    const auto some = reinterpret_cast<AILayerHandle>(uintptr_t{0x100});
    if (HAS(s, CountLayers)) p.Code("CountLayers without a document", s.CountLayers(&n), kSPNoDocumentError);
    if (HAS(s, GetNthLayer)) p.Code("GetNthLayer without a document", s.GetNthLayer(0, &layer), kSPNoDocumentError);
    if (HAS(s, GetCurrentLayer)) p.Code("GetCurrentLayer without a document", s.GetCurrentLayer(&layer), kSPNoDocumentError);
    if (HAS(s, SetCurrentLayer)) p.Code("SetCurrentLayer without a document", s.SetCurrentLayer(some), kSPNoDocumentError);
    if (HAS(s, InsertLayer)) p.Code("InsertLayer without a document", s.InsertLayer(nullptr, kPlaceAboveAll, &layer), kSPNoDocumentError);
}

void LayerHostile(Probe& p, Fixture& f, const AILayerSuite& s) {
    const auto bad = f.BadLayers();
    int32_t count = 0;
    AILayerHandle layer = nullptr;
    if (s.CountLayers) {
        p.Code("CountLayers(NULL)", s.CountLayers(nullptr), kSPBadParameterError);
        s.CountLayers(&count);
    }
    if (s.GetNthLayer) {
        p.Code("GetNthLayer(0, NULL)", s.GetNthLayer(0, nullptr), kSPBadParameterError);
        std::vector<int32_t> badN(std::begin(kBadInt32), std::end(kBadInt32));
        badN.push_back(count);
        for (int32_t n : badN) p.Code(Cat("GetNthLayer(", IntText(n), ", &layer)"), s.GetNthLayer(n, &layer), kSPBadParameterError);
    }
    if (s.GetCurrentLayer) p.Code("GetCurrentLayer(NULL)", s.GetCurrentLayer(nullptr), kSPBadParameterError);
    if (s.SetCurrentLayer)
        for (const auto& l : bad) p.Code("SetCurrentLayer(" + l.name + ")", s.SetCurrentLayer(l.handle), kSPBadParameterError);
    if (s.InsertLayer) {
        p.Code("InsertLayer(NULL, kPlaceAboveAll, NULL)", s.InsertLayer(nullptr, kPlaceAboveAll, nullptr), kSPBadParameterError);
        for (int16_t order : {int16_t(kPlaceAbove), int16_t(kPlaceBelow)})
            for (const auto& l : bad)
                p.Code(Cat("InsertLayer(", l.name, ", ", order, ", &layer)"), s.InsertLayer(l.handle, order, &layer), kSPBadParameterError);
        for (int16_t order : {int16_t(0), int16_t(kPlaceInsideOnTop), int16_t(kPlaceInsideOnBottom), int16_t(7), int16_t(-1),
                              int16_t(INT16_MIN), int16_t(INT16_MAX)})
            p.Code(Cat("InsertLayer(layer, ", IntText(order), ", &layer)"), s.InsertLayer(f.layer, order, &layer), kSPBadParameterError);
    }
}

void LayerValid(Probe& p, Fixture& f, const AILayerSuite& s) {
    if (!s.InsertLayer || !s.GetCurrentLayer || !s.SetCurrentLayer) return;
    AILayerHandle made = nullptr, current = nullptr;
    p.Code("InsertLayer(layer, kPlaceBelow, &layer)", s.InsertLayer(f.layer, kPlaceBelow, &made), kSPNoError);
    p.Code("GetCurrentLayer(&layer)", s.GetCurrentLayer(&current), kSPNoError);
    if (current != made) p.Fault("the inserted layer did not become current");
    p.Code("SetCurrentLayer(layer)", s.SetCurrentLayer(f.layer), kSPNoError);
}

}  // namespace

void AddDocumentSuiteChecks(std::vector<Check>& checks) {
    Add<AIArtSuite>(checks, kAIArtSuite, kAIArtSuiteVersion, {ArtNoDocument, ArtHostile, ArtValid});
    Add<AIDocumentSuite>(checks, kAIDocumentSuite, kAIDocumentSuiteVersion, {DocumentNoDocument, DocumentHostile, DocumentValid});
    Add<AIDocumentViewSuite>(checks, kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, {ViewNoDocument, ViewHostile, ViewValid});
    Add<AIUndoSuite>(checks, kAIUndoSuite, kAIUndoSuiteVersion, {UndoNoDocument, UndoHostile, UndoValid});
    Add<AIPathSuite>(checks, kAIPathSuite, kAIPathSuiteVersion, {PathNoDocument, PathHostile, PathValid});
    Add<AIPathStyleSuite>(checks, kAIPathStyleSuite, kAIPathStyleSuiteVersion, {nullptr, PathStyleHostile, PathStyleValid});
    Add<AILayerSuite>(checks, kAILayerSuite, kAILayerSuiteVersion, {LayerNoDocument, LayerHostile, LayerValid});
    Add<AISwatchListSuite>(checks, kAISwatchListSuite, kAISwatchListSuiteVersion, {SwatchNoDocument, SwatchHostile, SwatchValid});
    Add<AIArtStyleSuite>(checks, kAIArtStyleSuite, kAIArtStyleSuiteVersion, {ArtStyleNoDocument, ArtStyleHostile, ArtStyleValid});
}

}  // namespace easel::validate::host_suites
