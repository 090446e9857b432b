/* AIRealMath.h: "AI Real Math Suite" version 1, single-precision arithmetic.
 *
 * Every entry returns its result directly and cannot fail. Results are those of IEEE
 * single precision: a division by zero gives an infinity or NaN, which the art suites
 * then refuse. Angles are radians unless an entry says degrees. */
#ifndef HOST_AIREALMATH_H
#define HOST_AIREALMATH_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIRealMathSuite "AI Real Math Suite"
#define kAIRealMathSuiteVersion 1

typedef struct AIRealMathSuite {
    /** a / b. */
    AIReal (SPAPI *AIRealDivide)(AIReal a, AIReal b);
    /** degrees × pi / 180. */
    AIReal (SPAPI *DegreeToRadian)(AIReal degrees);
    /** radians × 180 / pi. */
    AIReal (SPAPI *RadianToDegree)(AIReal radians);
    AIReal (SPAPI *AIRealSin)(AIReal radians);
    AIReal (SPAPI *AIRealCos)(AIReal radians);
    /** The angle of (x, y) from +x, in (-pi, pi]. */
    AIReal (SPAPI *AIRealATan)(AIReal y, AIReal x);
    /** Distance between two points, points. */
    AIReal (SPAPI *AIRealPointLength)(const AIRealPoint* p1, const AIRealPoint* p2);
    /** Angle of the direction from p1 to p2, radians. */
    AIReal (SPAPI *AIRealPointAngle)(const AIRealPoint* p1, const AIRealPoint* p2);
    /** t × p1 + (1 − t) × p2, into *result. */
    void (SPAPI *AIRealPointInterpolate)(const AIRealPoint* p1, const AIRealPoint* p2, AIReal t,
                                         AIRealPoint* result);
    /** t × a + (1 − t) × b. */
    AIReal (SPAPI *AIRealInterpolate)(AIReal a, AIReal b, AIReal t);
    /** *m := translation by (tx, ty). */
    void (SPAPI *AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    /** *m := *m followed by a translation. */
    void (SPAPI *AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    /** *m := *m followed by a scale about the origin. */
    void (SPAPI *AIRealMatrixConcatScale)(AIRealMatrix* m, AIReal sx, AIReal sy);
    /** *m := *m followed by a counter-clockwise rotation about the origin. */
    void (SPAPI *AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal radians);
} AIRealMathSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIREALMATH_H */
