/* AIUser.h: "AI User Suite" version 5, number and text conversions.
 *
 * Texts are length-prefixed: one length byte (0..255), then the characters, no terminator. */
#ifndef HOST_AIUSER_H
#define HOST_AIUSER_H

#include "AITypes.h"

#ifdef __cplusplus
extern "C" {
#endif

#define kAIUserSuite "AI User Suite"
#define kAIUserSuiteVersion 5

typedef struct AIUserSuite {
    /** Reads a decimal number (optional sign, digits, optional fraction) from the start of
     *  text, ignoring leading blanks. Returns kSPNoError; kSPBadParameterError for a null
     *  argument or a text that starts with no number (*value is 0). */
    SPErr (SPAPI *StringToReal)(const unsigned char* text, AIReal* value);

    /** Writes value with `precision` decimals (0..10), rounded, into text, which must hold 256
     *  bytes. Returns kSPNoError; kSPBadParameterError for a null text, a precision out of
     *  range or a non-finite value. */
    SPErr (SPAPI *RealToString)(AIReal value, int16_t precision, unsigned char* text);
} AIUserSuite;

#ifdef __cplusplus
}
#endif

#endif /* HOST_AIUSER_H */
