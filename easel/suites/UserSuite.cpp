// "AI User Suite" v5: numbers to and from length-prefixed text. std::from_chars and
// std::to_chars, so that the decimal point is '.' whatever the process's locale says.
#include <charconv>
#include <cmath>
#include <cstring>

#include "AIUser.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

SPErr SPAPI StringToReal(const unsigned char* text, AIReal* value) {
    return Boundary(Op::UserStringToReal, kSPOutOfMemoryError, [&](Runtime&) -> SPErr {
        if (!text || !value) return kSPBadParameterError;
        *value = 0.0f;
        const char* p = reinterpret_cast<const char*>(text + 1);
        const char* end = p + text[0];
        while (p < end && (*p == ' ' || *p == '\t')) ++p;
        bool negative = false;
        if (p < end && (*p == '+' || *p == '-')) negative = *p++ == '-';
        // Only digits with an optional fraction count: from_chars alone would also take
        // "inf", "nan" and exponents, which are not numbers a user types here.
        const char* q = p;
        while (q < end && IsDigit(*q)) ++q;
        bool anyDigit = q > p;
        if (q < end && *q == '.') {
            const char* f = q + 1;
            while (f < end && IsDigit(*f)) ++f;
            anyDigit = anyDigit || f > q + 1;
            q = f;
        }
        if (!anyDigit) return kSPBadParameterError;
        float magnitude = 0.0f;
        const auto [stop, ec] = std::from_chars(p, q, magnitude, std::chars_format::fixed);
        if (ec == std::errc::result_out_of_range) {
            // Too small to hold reads as zero; too large for a float is no number this host keeps.
            for (const char* d = p; d < q && *d != '.'; ++d)
                if (*d != '0') return kSPBadParameterError;
            magnitude = 0.0f;
        } else if (ec != std::errc{} || stop != q) {
            return kSPBadParameterError;
        }
        *value = negative ? -magnitude : magnitude;
        return kSPNoError;
    });
}

SPErr SPAPI RealToString(AIReal value, int16_t precision, unsigned char* text) {
    return Boundary(Op::UserRealToString, kSPOutOfMemoryError, [&](Runtime&) -> SPErr {
        if (!text || precision < 0 || precision > 10 || !std::isfinite(value)) return kSPBadParameterError;
        char buffer[128];
        const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, precision);
        if (ec != std::errc{}) return kSPBadParameterError;
        const char* begin = buffer;
        // A value that rounds to zero is shown as "0", not "-0".
        if (buffer[0] == '-') {
            bool zero = true;
            for (const char* c = buffer + 1; c < end; ++c) zero = zero && (*c == '0' || *c == '.');
            if (zero) ++begin;
        }
        const auto length = static_cast<size_t>(end - begin);
        text[0] = static_cast<unsigned char>(length);
        std::memcpy(text + 1, begin, length);
        return kSPNoError;
    });
}

const AIUserSuite kTable = {StringToReal, RealToString};

}  // namespace

const void* UserSuiteTable() { return &kTable; }

}  // namespace easel
