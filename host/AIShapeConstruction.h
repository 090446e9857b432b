/* AIShapeConstruction.h: "AI Shape Construction Suite" version 4, closed shapes made from
 * a centre and two extents. */
#ifndef HOST_AISHAPECONSTRUCTION_H
#define HOST_AISHAPECONSTRUCTION_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIShapeConstructionSuite "AI Shape Construction Suite"
#define kAIShapeConstructionSuiteVersion 4

typedef struct AIShapeConstructionSuite {
    /** A new closed path art, above all art of the current layer, with the document's current
     *  paint: the rectangle of width × height centred on centre (points). Its four corner
     *  anchors (corner flag 1, handles on the anchors) run counter-clockwise from the top-left
     *  one: top-left, bottom-left, bottom-right, top-right; reversed = 1 runs them clockwise
     *  from the same first anchor. Negative extents mirror the shape; zero extents give a
     *  degenerate one. Returns as AIArtSuite's NewArt, and kSPBadParameterError for a NULL
     *  centre or newArt or a non-finite value (a corner beyond the float range included). */
    SPErr (SPAPI *NewPointPointRect)(const AIRealPoint* centre, AIReal width, AIReal height,
                                     SPBoolean reversed, AIArtHandle* newArt);

    /** As NewPointPointRect, but the ellipse of those extents: four smooth anchors (top,
     *  left, bottom, right, counter-clockwise unless reversed: then top, right, bottom, left)
     *  joined by Bézier quarter arcs whose handles are 0.5523 of the half extents long, so that
     *  each arc's midpoint lies on the ellipse. */
    SPErr (SPAPI *NewPointPointOval)(const AIRealPoint* centre, AIReal width, AIReal height,
                                     SPBoolean reversed, AIArtHandle* newArt);
} AIShapeConstructionSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AISHAPECONSTRUCTION_H */
