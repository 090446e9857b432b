/* SPTypes.h: basic types and result codes shared by the host and every plug-in.
 *
 * Every host operation returns an SPErr unless its entry says it returns a value.
 * 0 is success. Four-character codes are packed with the first character in the
 * most significant byte, so 'STOP' reads as 0x53544F50.
 *
 * All headers under host/ are plain C: records and tables of function pointers,
 * usable from C and C++ alike.
 */
#ifndef HOST_SPTYPES_H
#define HOST_SPTYPES_H

#include <stddef.h>
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/** SPAPI: the calling convention of everything that crosses the interface (PluginMain, every
 *  suite entry, every callback the plug-in gives the host), the C one: cdecl. Host and plug-in
 *  are built apart, so it is stated, not left to each build's default. On 32-bit x86, where an
 *  option can change that default (-mrtd, /Gz: stdcall), a function of another convention put
 *  in a slot then fails to compile instead of unbalancing the stack at run time. Elsewhere
 *  there is one convention and it is empty (gcc warns of a cdecl attribute on x86-64).
 *  `SPErr (SPAPI *Entry)(...)` in a table, `SPErr SPAPI Entry(...)` where it is defined. */
#if defined(__i386__) || defined(_M_IX86)
#if defined(_MSC_VER) || defined(__MINGW32__)
#define SPAPI __cdecl
#else
#define SPAPI __attribute__((cdecl))
#endif
#else
#define SPAPI
#endif

/** Result of every host operation and of PluginMain: signed 32-bit, 0 = success. */
typedef int32_t SPErr;

/** A boolean as the host passes it across the interface: 0 = false, any other = true. */
typedef uint8_t SPBoolean;

/** Packs four characters into a result code, first character in the most significant byte.
 *  An integer constant expression in C and in C++. */
#define SP_FOUR_CHAR_CODE(a, b, c, d)                                                     \
    ((int32_t)(((uint32_t)(uint8_t)(a) << 24) | ((uint32_t)(uint8_t)(b) << 16) |          \
               ((uint32_t)(uint8_t)(c) << 8) | (uint32_t)(uint8_t)(d)))

/* Result codes. Each operation's entry lists the ones it can return. */
enum {
    kSPNoError = 0,
    /** The host ran out of its memory budget (document or allocation). */
    kSPOutOfMemoryError = -108,
    /** A suite with this name and version is not available. */
    kSPSuiteNotFoundError = SP_FOUR_CHAR_CODE('S', '!', 'F', 'd'),
    /** A null pointer, an index or count out of range, a non-finite number, or a handle
     *  that does not name a live object of the right kind. */
    kSPBadParameterError = SP_FOUR_CHAR_CODE('P', 'A', 'R', 'M'),
    /** The operation needs a current document and there is none. */
    kSPNoDocumentError = SP_FOUR_CHAR_CODE('D', 'O', 'C', '?'),
    /** A memory service gave back no block or handle. */
    kSPMemoryHandleError = SP_FOUR_CHAR_CODE('!', 'M', 'E', 'M'),
    /** The user cancelled; callers pass it on and never show it. */
    kSPUserCanceledError = SP_FOUR_CHAR_CODE('S', 'T', 'O', 'P'),
    /** The selector is not valid for this caller. */
    kSPBadSelectorError = SP_FOUR_CHAR_CODE('!', 's', 'e', 'l'),
    /** A path would hold more segments than a path can (see AIPath.h). */
    kAITooManySegmentsError = SP_FOUR_CHAR_CODE('N', 'E', 'S', 'S'),
    /** The target layer is locked or hidden, so art cannot be made or changed there. */
    kAILockedLayerError = SP_FOUR_CHAR_CODE('S', 'E', 'G', 'M')
};

/** Opaque identity of one loaded plug-in, given by the host in every message. */
typedef struct SPPluginOpaque* SPPluginRef;

#ifdef __cplusplus
} /* extern "C" */

/** The same packing as SP_FOUR_CHAR_CODE, as a typed C++ helper. */
constexpr SPErr SPFourCharCode(char a, char b, char c, char d) {
    return static_cast<SPErr>((static_cast<uint32_t>(static_cast<uint8_t>(a)) << 24) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(b)) << 16) |
                              (static_cast<uint32_t>(static_cast<uint8_t>(c)) << 8) |
                              static_cast<uint32_t>(static_cast<uint8_t>(d)));
}
static_assert(SPFourCharCode('S', 'T', 'O', 'P') == 0x53544F50, "first character is the high byte");
#endif

#endif /* HOST_SPTYPES_H */
