// The basic services: acquisition and release through the live session's registry.
#include <cstring>

#include "suites/Runtime.h"

namespace easel {
namespace {

SPErr SPAPI AcquireSuite(const char* name, int32_t version, const void** suite) {
    if (!suite) return kSPBadParameterError;
    *suite = nullptr;
    if (!name) return kSPBadParameterError;
    Runtime* rt = Runtime::live;
    if (!rt) return kSPSuiteNotFoundError;
    return rt->registry.Acquire(name, version, suite);
}

SPErr SPAPI ReleaseSuite(const char* name, int32_t version) {
    if (!name) return kSPBadParameterError;
    Runtime* rt = Runtime::live;
    if (!rt) return kSPSuiteNotFoundError;
    return rt->registry.Release(name, version);
}

SPBoolean SPAPI IsEqual(const char* a, const char* b) {
    return a && b && std::strcmp(a, b) == 0 ? 1 : 0;
}

}  // namespace

const SPBasicSuite kBasicSuiteTable = {AcquireSuite, ReleaseSuite, IsEqual};

}  // namespace easel
