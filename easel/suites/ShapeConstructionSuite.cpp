// "AI Shape Construction Suite" v4: a centred rectangle and a centred ellipse, each a new
// closed path above all art of the current layer, with the document's current paint.
#include <array>
#include <cmath>

#include "AIShapeConstruction.h"
#include "suites/ArtMaking.h"

namespace easel {
namespace {

// The handle length of a Bézier quarter arc of a circle of radius 1, whose midpoint then
// lies on the circle.
constexpr double kKappa = 0.55228474983079339840;

AIPathSegment Segment(double px, double py, double ix, double iy, double ox, double oy, bool corner) {
    AIPathSegment s{};
    s.p = {static_cast<float>(px), static_cast<float>(py)};
    s.in = {static_cast<float>(ix), static_cast<float>(iy)};
    s.out = {static_cast<float>(ox), static_cast<float>(oy)};
    s.corner = corner ? 1 : 0;
    return s;
}


// Makes a closed path of these segments; reversed runs them the other way round (each
// segment's handles exchanged, since the path then leaves by its former way in). `site` is
// the suite entry's caller.
SPErr MakeShape(Op op, const AIRealPoint* centre, AIReal width, AIReal height, SPBoolean reversed,
                AIArtHandle* newArt, std::array<AIPathSegment, 4> (*outline)(double cx, double cy, double hw, double hh),
                const void* site) {
    return DocumentBoundary(op, [&](Runtime& rt, Session& s) -> SPErr {
        if (!newArt) return kSPBadParameterError;
        *newArt = nullptr;
        if (!centre || !easel::Finite(*centre) || !std::isfinite(width) || !std::isfinite(height))
            return kSPBadParameterError;
        std::array<AIPathSegment, 4> segments = outline(centre->h, centre->v, double(width) / 2, double(height) / 2);
        if (reversed) {
            // Keep the first anchor, then the others in the opposite order.
            std::array<AIPathSegment, 4> back{segments[0], segments[3], segments[2], segments[1]};
            for (AIPathSegment& g : back) std::swap(g.in, g.out);
            segments = back;
        }
        for (const AIPathSegment& g : segments)
            if (!Finite(g)) return kSPBadParameterError;  // a centre near the float limit
        Place place;
        if (const SPErr e = FindPlace(s, kPlaceAboveAll, nullptr, place)) return e;
        Art art = NewPathArt(s);
        for (size_t i = 0; i < segments.size(); ++i) art.path.SetSegment(i, segments[i]);
        art.path.closed = true;
        return MakeArt(rt, s, std::move(art), place, newArt);
    }, site);
}

// Corners counter-clockwise from the top-left: top-left, bottom-left, bottom-right, top-right.
std::array<AIPathSegment, 4> Rectangle(double cx, double cy, double hw, double hh) {
    const auto corner = [](double x, double y) { return Segment(x, y, x, y, x, y, true); };
    return {corner(cx - hw, cy + hh), corner(cx - hw, cy - hh), corner(cx + hw, cy - hh),
            corner(cx + hw, cy + hh)};
}

// Anchors counter-clockwise from the top: top, left, bottom, right, each smooth, its handles
// along the tangent by kKappa of the half extents.
std::array<AIPathSegment, 4> Ellipse(double cx, double cy, double hw, double hh) {
    const double kx = kKappa * hw, ky = kKappa * hh;
    return {Segment(cx, cy + hh, cx + kx, cy + hh, cx - kx, cy + hh, false),
            Segment(cx - hw, cy, cx - hw, cy + ky, cx - hw, cy - ky, false),
            Segment(cx, cy - hh, cx - kx, cy - hh, cx + kx, cy - hh, false),
            Segment(cx + hw, cy, cx + hw, cy - ky, cx + hw, cy + ky, false)};
}

SPErr SPAPI NewPointPointRect(const AIRealPoint* centre, AIReal width, AIReal height, SPBoolean reversed,
                              AIArtHandle* newArt) {
    return MakeShape(Op::ShapeNewRect, centre, width, height, reversed, newArt, Rectangle, __builtin_return_address(0));
}

SPErr SPAPI NewPointPointOval(const AIRealPoint* centre, AIReal width, AIReal height, SPBoolean reversed,
                              AIArtHandle* newArt) {
    return MakeShape(Op::ShapeNewOval, centre, width, height, reversed, newArt, Ellipse, __builtin_return_address(0));
}

const AIShapeConstructionSuite kTable = {NewPointPointRect, NewPointPointOval};

}  // namespace

const void* ShapeConstructionSuiteTable() { return &kTable; }

}  // namespace easel
