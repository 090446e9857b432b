/* AITypes.h: geometry and handle types of the art services.
 *
 * Conventions for every art suite:
 *  - coordinates are artwork points (1/72 inch), x to the right, y upward, origin at
 *    the bottom-left corner of the page;
 *  - angles are radians, counter-clockwise from +x toward +y;
 *  - AIReal is a 32-bit IEEE float; a non-finite coordinate is refused with
 *    kSPBadParameterError wherever art is written;
 *  - handles are opaque names of objects in the current document. They stay valid while
 *    the object lives (containers may move, handles do not) and are refused with
 *    kSPBadParameterError once it is gone; the plug-in never frees them. */
#ifndef HOST_AITYPES_H
#define HOST_AITYPES_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef float AIReal;

typedef struct AIRealPoint {
    AIReal h; /**< x, points */
    AIReal v; /**< y, points, upward */
} AIRealPoint;

/** A rectangle with y upward: top >= bottom for a non-empty rectangle. */
typedef struct AIRealRect {
    AIReal left, top, right, bottom;
} AIRealRect;

/** An affine map: (x, y) -> (a x + c y + tx, b x + d y + ty). */
typedef struct AIRealMatrix {
    AIReal a, b, c, d, tx, ty;
} AIRealMatrix;

/** A point of a view in whole pixels, y downward from the view's top-left corner. */
typedef struct AIPoint {
    int32_t h, v;
} AIPoint;

typedef struct AIArtOpaque* AIArtHandle;
typedef struct AILayerOpaque* AILayerHandle;
typedef struct AIDocumentViewOpaque* AIDocumentViewHandle;
typedef struct AISwatchOpaque* AISwatchRef;
typedef struct AIArtStyleOpaque* AIArtStyleHandle;

/** Where new art or a new layer goes, relative to a prep (reference) object. */
typedef enum AIPaintOrder {
    kPlaceAbove = 1,           /**< directly above prep */
    kPlaceBelow = 2,           /**< directly below prep */
    kPlaceInsideOnTop = 3,     /**< reserved: groups are not made by this host version */
    kPlaceInsideOnBottom = 4,  /**< reserved */
    kPlaceAboveAll = 5,        /**< on top of the current layer (or of all layers); prep ignored */
    kPlaceBelowAll = 6         /**< at the bottom of the current layer (or of all layers) */
} AIPaintOrder;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AITYPES_H */
