// Globals.h: the plug-in's state that survives unloading and reloading of the module.
//
// A block from the host's block service, allocated at start-up and handed to the host in the
// message's globals slot while the module is unloaded. On a 32-bit host it is four 32-bit words;
// on a 64-bit one the handle and the services reference are pointer-sized.
#pragma once

#include <cstddef>

#include "AIFilter.h"
#include "SPBasic.h"

namespace corvanta {

struct PluginGlobals {
    int32_t unused;
    AIFilterHandle filterHandle;  // the filter added at start-up
    int32_t filterCount;          // filters registered: 1, or 0 when the string list is empty
    const SPBasicSuite* hostBasic;  // the basic services of the start-up message
};

// The layout described above, held to. 32-bit: unused 0, filterHandle 4, filterCount 8,
// hostBasic 12, 16 bytes. 64-bit: each pointer 8 bytes and 8-aligned, so 4 bytes of padding
// before each: unused 0, filterHandle 8, filterCount 16, hostBasic 24, 32 bytes.
#if defined(__i386__) || defined(_M_IX86)
static_assert(offsetof(PluginGlobals, filterHandle) == 4 && offsetof(PluginGlobals, filterCount) == 8);
static_assert(offsetof(PluginGlobals, hostBasic) == 12 && sizeof(PluginGlobals) == 16);
#elif defined(__x86_64__) || defined(_M_X64) || defined(__aarch64__) || defined(_M_ARM64)
static_assert(offsetof(PluginGlobals, filterHandle) == 8 && offsetof(PluginGlobals, filterCount) == 16);
static_assert(offsetof(PluginGlobals, hostBasic) == 24 && sizeof(PluginGlobals) == 32);
#endif

// The module's pointer to the block, or null before start-up and after shut-down.
extern PluginGlobals* gGlobals;

}  // namespace corvanta
