/* AIPathStyle.h: "AI Path Style Suite" version 5, the paint of path art. */
#ifndef HOST_AIPATHSTYLE_H
#define HOST_AIPATHSTYLE_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIPathStyleSuite "AI Path Style Suite"
#define kAIPathStyleSuiteVersion 5

/** How a PaintColor is stored (32-bit). */
typedef enum ColorKind {
    kGrayColor = 0,     /**< c[0]: gray level as ink, 0 white .. 1 black */
    kFourColor = 1,     /**< cmyk: c[0..3] cyan, magenta, yellow, black, each 0..1 */
    kPatternColor = 2,  /**< ref: the pattern's number in the document */
    kCustomColor = 3,   /**< spot colour: ref its number, c[0] the tint 0..1 */
    kGradientColor = 4, /**< ref: the gradient's number in the document */
    kThreeColor = 5,    /**< rgb: c[0..2] red, green, blue, each 0..1 */
    kNoneColor = 6      /**< no paint */
} ColorKind;

/** A colour as the host stores it: 24 bytes. Unused components are 0. */
typedef struct PaintColor {
    int32_t kind;  /**< a ColorKind */
    AIReal c[4];   /**< components, as kind says */
    int32_t ref;   /**< pattern, spot or gradient number; 0 otherwise */
} PaintColor;

/** Dash pattern: count lengths in points, starting at offset along the path. */
typedef struct PathDash {
    int32_t count;  /**< 0 = solid, at most 6 */
    AIReal array[6];
    AIReal offset;
} PathDash;

/** The whole paint record of one path. */
typedef struct PathStyle {
    int32_t fillPaint;       /**< boolean: the path is filled */
    int32_t strokePaint;     /**< boolean: the path is stroked */
    PaintColor fillColor;
    PaintColor strokeColor;
    AIReal strokeWidth;      /**< points, >= 0 */
    int32_t fillOverprint;   /**< boolean */
    int32_t strokeOverprint; /**< boolean */
    int32_t evenOdd;         /**< boolean: even-odd fill rule instead of non-zero */
    int32_t cap;             /**< 0 butt, 1 round, 2 projecting */
    int32_t join;            /**< 0 miter, 1 round, 2 bevel */
    AIReal miterLimit;       /**< >= 1 */
    PathDash dash;
} PathStyle;

typedef struct AIPathStyleSuite {
    /** Copies the path's paint into *style. Returns kSPNoError; kSPBadParameterError for
     *  a dead or non-path art or a null style. */
    SPErr (SPAPI *GetPathStyle)(AIArtHandle path, PathStyle* style);

    /** Replaces the path's paint with *style (copied). Returns kSPNoError;
     *  kAILockedLayerError; kSPBadParameterError for a dead path, a null style, an unknown
     *  colour kind, a non-finite or negative width, or a dash count outside 0 .. 6. */
    SPErr (SPAPI *SetPathStyle)(AIArtHandle path, const PathStyle* style);
} AIPathStyleSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIPATHSTYLE_H */
