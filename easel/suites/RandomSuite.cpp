// "AI Random Suite" v3: the session's sequence (std::mt19937, seeded by HostConfig::seed or
// from the system), 24 bits per value so that every value is exactly representable as a float
// and the largest is 1 - 2^-24, never 1.0.
#include "AIRandom.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

AIReal SPAPI FloatRnd() {
    Runtime* rt = Runtime::live;
    if (!rt) return 0.0f;
    const uint32_t bits = static_cast<uint32_t>(rt->random()) >> 8;
    return static_cast<float>(bits) * 0x1p-24f;
}

const AIRandomSuite kTable = {FloatRnd};

}  // namespace

const void* RandomSuiteTable() { return &kTable; }

}  // namespace easel
