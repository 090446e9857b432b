/* AIRandom.h: "AI Random Suite" version 3, the host's random numbers.
 *
 * One sequence per host session; the host may be started with a seed so that a session
 * repeats exactly. Plug-ins never seed it. */
#ifndef HOST_AIRANDOM_H
#define HOST_AIRANDOM_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIRandomSuite "AI Random Suite"
#define kAIRandomSuiteVersion 3

typedef struct AIRandomSuite {
    /** The next number of the sequence, uniform in [0, 1): never 1.0. Cannot fail. */
    AIReal (SPAPI *FloatRnd)(void);
} AIRandomSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIRANDOM_H */
