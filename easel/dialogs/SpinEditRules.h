// SpinEditRules.h: what a spin edit's arrows do and how a window shows its number, as plain
// functions of the item's value, decimals and limits, so that every view steps and shows alike.
//
// - Step: 1 for an item shown with no decimals or with more than two (counts, points, degrees,
//   percent), 0.1 for an item shown with one or two; ten times that with Shift. The value is
//   first rounded to the item's decimals, so that a float's last bits (0.1f is 0.100000001...)
//   never survive a step, and the sum is formed in whole units of the last decimal: 2.5 steps
//   to the double nearest 2.6, never 2.6000000001. The result is kept within the limits.
// - Shown number: the value with the item's decimals, less trailing zeros and a bare point:
//   100 rather than 100.00000, 2.5 rather than 2.50; never "-0".
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

namespace easel {

// The decimals a spin edit can have (ItemModel clamps its precision to these).
inline int32_t SpinDecimals(int32_t precision) { return std::clamp(precision, 0, 10); }

// One arrow press's step for an item with these decimals, without Shift.
inline double SpinStep(int32_t precision) {
    const int32_t places = SpinDecimals(precision);
    return places >= 1 && places <= 2 ? 0.1 : 1.0;
}

// The value after `presses` arrow presses (positive up, negative down), each ten steps when
// `shift`, kept within minimum .. maximum.
inline double SteppedValue(double value, int32_t presses, bool shift, int32_t precision, double minimum,
                           double maximum) {
    if (!std::isfinite(value)) return value;
    const int32_t places = SpinDecimals(precision);
    double scale = 1;
    for (int32_t i = 0; i < places; ++i) scale *= 10;  // exact
    const double stepUnits = std::round(SpinStep(precision) * scale) * (shift ? 10 : 1);
    const double units = std::round(value * scale);
    double stepped;
    if (std::fabs(units) < 0x1p52 && std::fabs(stepUnits * presses) < 0x1p52)
        stepped = (units + stepUnits * presses) / scale;  // whole numbers added exactly, one rounding
    else
        stepped = value + SpinStep(precision) * (shift ? 10 : 1) * presses;  // beyond whole units
    if (!(minimum <= maximum)) return stepped;
    return std::clamp(stepped, minimum, maximum);
}

// The number as a window shows it while the field is not being edited.
inline std::string ConciseSpinText(double value, int32_t precision) {
    char buffer[400];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(SpinDecimals(precision)), value);
    std::string text = buffer;
    if (text.find('.') != std::string::npos && std::isfinite(value)) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.') text.pop_back();
    }
    if (text == "-0") text = "0";
    return text;
}

}  // namespace easel
