/* SPBasic.h: the basic services every message carries.
 *
 * The only way a plug-in reaches any other host service: it acquires a suite by name
 * and version, uses the table of function pointers it is given, and releases it again.
 * Called on the host's user-interface thread only.
 */
#ifndef HOST_SPBASIC_H
#define HOST_SPBASIC_H

#include "SPTypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef struct SPBasicSuite {
    /** Acquires the suite `name` at exactly `version` and stores its table in *suite.
     *  The table belongs to the host and stays valid until the matching release; a
     *  repeated acquisition gives the same table. Each successful call must be matched
     *  by one ReleaseSuite.
     *  Returns kSPNoError; kSPSuiteNotFoundError when the host has no such name or
     *  version (*suite is set to NULL); kSPBadParameterError for a null name or suite. */
    SPErr (SPAPI *AcquireSuite)(const char* name, int32_t version, const void** suite);

    /** Gives back one acquisition of `name` at `version`.
     *  Returns kSPNoError; kSPSuiteNotFoundError when no acquisition of it is open;
     *  kSPBadParameterError for a null name. */
    SPErr (SPAPI *ReleaseSuite)(const char* name, int32_t version);

    /** True when the two terminated strings are equal, byte for byte; false when
     *  either is NULL. */
    SPBoolean (SPAPI *IsEqual)(const char* a, const char* b);
} SPBasicSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_SPBASIC_H */
