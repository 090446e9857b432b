// PascalString.h: in-place conversion between terminated strings and the host's
// length-prefixed strings (one length byte 0..255, then the characters, no terminator).
#pragma once

#include <cstddef>

namespace corvanta {

// Shifts the characters one place up and writes the length first. The buffer must hold
// strlen + 1 bytes. A text of 256 characters or more does not fit a length byte and is left
// unchanged; returns whether it was converted.
bool CToPascal(char* text);

// Shifts the characters one place down and writes the terminator after them. The buffer must
// hold length + 1 bytes.
void PascalToC(char* text);

}  // namespace corvanta
