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
    AIReal (*AIRealDivide)(AIReal a, AIReal b);
    /** degrees × pi / 180. */
    AIReal (*DegreeToRadian)(AIReal degrees);
    /** radians × 180 / pi. */
    AIReal (*RadianToDegree)(AIReal radians);
    AIReal (*AIRealSin)(AIReal radians);
    AIReal (*AIRealCos)(AIReal radians);
    /** The angle of (x, y) from +x, in (-pi, pi]. */
    AIReal (*AIRealATan)(AIReal y, AIReal x);
    /** Distance between two points, points. */
    AIReal (*AIRealPointLength)(const AIRealPoint* p1, const AIRealPoint* p2);
    /** Angle of the direction from p1 to p2, radians. */
    AIReal (*AIRealPointAngle)(const AIRealPoint* p1, const AIRealPoint* p2);
    /** t × p1 + (1 − t) × p2, into *result. */
    void (*AIRealPointInterpolate)(const AIRealPoint* p1, const AIRealPoint* p2, AIReal t,
                                   AIRealPoint* result);
    /** t × a + (1 − t) × b. */
    AIReal (*AIRealInterpolate)(AIReal a, AIReal b, AIReal t);
    /** *m := translation by (tx, ty). */
    void (*AIRealMatrixSetTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    /** *m := *m followed by a translation. */
    void (*AIRealMatrixConcatTranslate)(AIRealMatrix* m, AIReal tx, AIReal ty);
    /** *m := *m followed by a scale about the origin. */
    void (*AIRealMatrixConcatScale)(AIRealMatrix* m, AIReal sx, AIReal sy);
    /** *m := *m followed by a counter-clockwise rotation about the origin. */
    void (*AIRealMatrixConcatRotate)(AIRealMatrix* m, AIReal radians);
} AIRealMathSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIREALMATH_H */
