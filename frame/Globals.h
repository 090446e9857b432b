// Globals.h: the plug-in's state that survives unloading and reloading of the module.
//
// A block from the host's block service, allocated at start-up and handed to the host in the
// message's globals slot while the module is unloaded. On a 32-bit host it is four 32-bit words;
// on a 64-bit one the handle and the services reference are pointer-sized.
#pragma once

#include "AIFilter.h"
#include "SPBasic.h"

namespace corvanta {

struct PluginGlobals {
    int32_t unused;
    AIFilterHandle filterHandle;  // the filter added at start-up
    int32_t filterCount;          // filters registered: 1, or 0 when the string list is empty
    const SPBasicSuite* hostBasic;  // the basic services of the start-up message
};

// The module's pointer to the block, or null before start-up and after shut-down.
extern PluginGlobals* gGlobals;

}  // namespace corvanta
