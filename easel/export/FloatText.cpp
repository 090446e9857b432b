#include "export/FloatText.h"

#include <charconv>

namespace easel {

std::string FloatText(float f) {
    char buf[32];
    const auto result = std::to_chars(buf, buf + sizeof buf, f);
    return std::string(buf, result.ptr);
}

double FloatAsShortDouble(float f) {
    // from_chars rather than strtod: strtod follows the C locale, and a host that calls
    // setlocale (a window toolkit does) would read "0.1" as 0 under a comma locale.
    char buf[32];
    const auto written = std::to_chars(buf, buf + sizeof buf, f);
    double d = 0.0;
    std::from_chars(buf, written.ptr, d);
    // Decimal -> double -> float rounds twice, and for a few floats (0x15ae43fd,
    // "7.038531e-26", and its negative) the second rounding lands on the neighbour. Those
    // get the float's exact value instead, which a reader converts back without loss.
    if (static_cast<float>(d) != f) return static_cast<double>(f);
    return d;
}

}  // namespace easel
