// RecordLayouts.h: the byte layout of the records Easel shares with a plug-in, checked in the
// suites that deal in them. A plug-in built apart (the 32-bit Windows module among them) reads and
// writes these records by its own compiler's layout; the two must agree byte for byte.
//
// Worked out from the declarations in host/, natural alignment: int32_t, float and pointers
// 4-aligned on 32-bit x86, pointers 8 bytes and 8-aligned on 64-bit targets, a record padded
// to a multiple of its largest member's alignment.
#pragma once

#include <cstddef>

#include "AIDocument.h"
#include "AIFilter.h"
#include "AIFilterSuite.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "SPMessage.h"

namespace easel {

// Pointer-free records: the same on every target.
//
// AIPathSegment: three AIRealPoints of two floats, p 0, in 8, out 16; corner, one byte, 24;
// padded to the floats' alignment, 28.
static_assert(offsetof(AIPathSegment, in) == 8 && offsetof(AIPathSegment, out) == 16);
static_assert(offsetof(AIPathSegment, corner) == 24 && sizeof(AIPathSegment) == 28);
//
// PathStyle, all 4-byte members: fillPaint 0, strokePaint 4; fillColor 8 and strokeColor 32,
// PaintColor being kind 0, c[4] 4, ref 20, 24 bytes; strokeWidth 56, fillOverprint 60,
// strokeOverprint 64, evenOdd 68, cap 72, join 76, miterLimit 80; dash 84, PathDash being
// count 0, array[6] 4, offset 28, 32 bytes; 116 in all.
static_assert(sizeof(PaintColor) == 24 && offsetof(PaintColor, ref) == 20);
static_assert(sizeof(PathDash) == 32 && offsetof(PathDash, offset) == 28);
static_assert(offsetof(PathStyle, fillColor) == 8 && offsetof(PathStyle, strokeColor) == 32);
static_assert(offsetof(PathStyle, strokeWidth) == 56 && offsetof(PathStyle, miterLimit) == 80);
static_assert(offsetof(PathStyle, dash) == 84 && sizeof(PathStyle) == 116);
//
// AIDocumentSetup: width 0, height 4, outputResolution 8, the two one-byte flags 12 and 13,
// reserved (16-bit) 14: 16 bytes, no padding.
static_assert(offsetof(AIDocumentSetup, splitLongPaths) == 13);
static_assert(offsetof(AIDocumentSetup, reserved) == 14 && sizeof(AIDocumentSetup) == 16);

#if defined(__i386__) || defined(_M_IX86)
// SPMessageData: SPCheck 0, self 4, globals 8, basic 12: 16 bytes.
static_assert(offsetof(SPMessageData, self) == 4 && offsetof(SPMessageData, globals) == 8);
static_assert(offsetof(SPMessageData, basic) == 12 && sizeof(SPMessageData) == 16);
// AIFilterMessage: d 0 (16 bytes), filter 16, parameters (a void**) 20: 24 bytes.
static_assert(offsetof(AIFilterMessage, filter) == 16);
static_assert(offsetof(AIFilterMessage, parameters) == 20 && sizeof(AIFilterMessage) == 24);
// PlatformAddFilterData: category 0, title 4: 8 bytes.
static_assert(offsetof(PlatformAddFilterData, title) == 4 && sizeof(PlatformAddFilterData) == 8);
#elif defined(__x86_64__) || defined(_M_X64) || defined(__aarch64__) || defined(_M_ARM64)
// SPMessageData: SPCheck 0, 4 bytes of padding, self 8, globals 16, basic 24: 32 bytes.
static_assert(offsetof(SPMessageData, self) == 8 && offsetof(SPMessageData, globals) == 16);
static_assert(offsetof(SPMessageData, basic) == 24 && sizeof(SPMessageData) == 32);
// AIFilterMessage: d 0 (32 bytes), filter 32, parameters 40: 48 bytes.
static_assert(offsetof(AIFilterMessage, filter) == 32);
static_assert(offsetof(AIFilterMessage, parameters) == 40 && sizeof(AIFilterMessage) == 48);
// PlatformAddFilterData: category 0, title 8: 16 bytes.
static_assert(offsetof(PlatformAddFilterData, title) == 8 && sizeof(PlatformAddFilterData) == 16);
#endif

}  // namespace easel
