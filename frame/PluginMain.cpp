// PluginMain: the module's one exported entry. Recognises each host message by caller and
// selector, brackets it with the acquisition and release of the suites, runs its handler and
// shows any failure code.
#include <cstddef>
#include <type_traits>

#include "AIDocument.h"
#include "AIFilter.h"
#include "AIFilterSuite.h"
#include "AIMenu.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "SPMessage.h"
#include "dialog/StarDialog.h"
#include "frame/Globals.h"
#include "frame/Registration.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"

#if defined(_WIN32)
#define CORVANTA_EXPORT __declspec(dllexport)
#else
#define CORVANTA_EXPORT __attribute__((visibility("default")))
#endif

// The records this module reads and writes in the host's memory, at the host's layout, worked
// out from host/ with natural alignment (int32_t, float and pointers 4-aligned on 32-bit x86;
// pointers 8 bytes and 8-aligned on 64-bit targets). The host checks the same numbers.
//
// Without pointers, the same on every target:
//   AIPathSegment: p 0, in 8, out 16 (two floats each), corner (one byte) 24, padded to 28.
//   PathStyle, 4-byte members only: fillPaint 0, strokePaint 4, fillColor 8 and strokeColor 32
//   (PaintColor: kind 0, c[4] 4, ref 20; 24 bytes), strokeWidth 56, fillOverprint 60,
//   strokeOverprint 64, evenOdd 68, cap 72, join 76, miterLimit 80, dash 84 (PathDash: count 0,
//   array[6] 4, offset 28; 32 bytes): 116.
//   AIDocumentSetup: width 0, height 4, outputResolution 8, flags 12 and 13, reserved 14: 16.
static_assert(offsetof(AIPathSegment, out) == 16 && offsetof(AIPathSegment, corner) == 24);
static_assert(sizeof(AIPathSegment) == 28);
static_assert(sizeof(PaintColor) == 24 && offsetof(PaintColor, ref) == 20);
static_assert(offsetof(PathStyle, strokeColor) == 32 && offsetof(PathStyle, strokeWidth) == 56);
static_assert(offsetof(PathStyle, miterLimit) == 80 && offsetof(PathStyle, dash) == 84);
static_assert(sizeof(PathStyle) == 116);
static_assert(offsetof(AIDocumentSetup, reserved) == 14 && sizeof(AIDocumentSetup) == 16);
#if defined(__i386__) || defined(_M_IX86)
// SPMessageData: SPCheck 0, self 4, globals 8, basic 12: 16. AIFilterMessage: d 0, filter 16,
// parameters 20: 24. PlatformAddFilterData: category 0, title 4: 8.
static_assert(offsetof(SPMessageData, globals) == 8 && offsetof(SPMessageData, basic) == 12);
static_assert(sizeof(SPMessageData) == 16);
static_assert(offsetof(AIFilterMessage, filter) == 16 && offsetof(AIFilterMessage, parameters) == 20);
static_assert(sizeof(AIFilterMessage) == 24);
static_assert(offsetof(PlatformAddFilterData, title) == 4 && sizeof(PlatformAddFilterData) == 8);
#elif defined(__x86_64__) || defined(_M_X64) || defined(__aarch64__) || defined(_M_ARM64)
// SPMessageData: SPCheck 0, padding, self 8, globals 16, basic 24: 32. AIFilterMessage: d 0,
// filter 32, parameters 40: 48. PlatformAddFilterData: category 0, title 8: 16.
static_assert(offsetof(SPMessageData, globals) == 16 && offsetof(SPMessageData, basic) == 24);
static_assert(sizeof(SPMessageData) == 32);
static_assert(offsetof(AIFilterMessage, filter) == 32 && offsetof(AIFilterMessage, parameters) == 40);
static_assert(sizeof(AIFilterMessage) == 48);
static_assert(offsetof(PlatformAddFilterData, title) == 8 && sizeof(PlatformAddFilterData) == 16);
#endif

namespace corvanta {

PluginGlobals* gGlobals = nullptr;

namespace {

SPErr UnloadPlugin(SPMessageData* message) {
    // The host keeps the block while the module is out of memory.
    message->globals = gGlobals;
    return kSPNoError;
}

SPErr ReloadPlugin(SPMessageData* message) {
    gGlobals = static_cast<PluginGlobals*>(message->globals);
    // A fresh module has acquired nothing, whatever the count said before the unload.
    gSuiteNesting = 0;
    return kSPNoError;
}

SPErr StartupPlugin(SPMessageData* message) {
    if (!BlocksSuite()) return kSPSuiteNotFoundError;
    void* block = nullptr;
    if (SPErr error = BlocksSuite()->AllocateBlock(sizeof(PluginGlobals), "globals", &block)) return error;
    if (!block) return kSPMemoryHandleError;
    gGlobals = static_cast<PluginGlobals*>(block);
    *gGlobals = PluginGlobals{};
    gGlobals->hostBasic = message->basic;
    return RegisterFilter(message);
}

SPErr ShutdownPlugin(SPMessageData* message) {
    const void* suite = nullptr;
    const SPErr error = message->basic->AcquireSuite(kSPBlocksSuite, kSPBlocksSuiteVersion, &suite);
    if (error == kSPNoError && suite) {
        static_cast<const SPBlocksSuite*>(suite)->FreeBlock(gGlobals);
        gGlobals = nullptr;
        message->basic->ReleaseSuite(kSPBlocksSuite, kSPBlocksSuiteVersion);
    }
    message->globals = nullptr;
    return error;
}

SPErr GetParameters(AIFilterMessage* message) {
    if (!gGlobals || message->filter != gGlobals->filterHandle) return kSPNoError;
    return RunStarDialog(message);
}

SPErr GoFilter(AIFilterMessage* message) {
    // A go message comes only after the record exists; without one there is nothing to run.
    StarSettings* settings = SettingsOf(message->parameters);
    if (!settings) return kSPNoError;
    settings->finalRun = 1;
    // A failed go run is passed on: PluginMain shows its message in the error dialog and the
    // host learns that the filter did not complete.
    return GenerateStars(*settings);
}

SPErr Dispatch(const SPBasicSuite* basic, const char* caller, const char* selector, void* message) {
    auto is = [basic](const char* a, const char* b) { return basic->IsEqual(a, b) != 0; };
    auto* data = static_cast<SPMessageData*>(message);
    if (is(caller, kSPInterfaceCaller)) {
        if (is(selector, kSPInterfaceStartupSelector)) return StartupPlugin(data);
        if (is(selector, kSPInterfaceAboutSelector)) return ShowAbout(data);
        if (is(selector, kSPInterfaceShutdownSelector)) return ShutdownPlugin(data);
        return kSPNoError;
    }
    if (is(caller, kCallerAIMenu)) return is(selector, kSelectorAIGoMenuItem) ? kSPBadSelectorError : kSPNoError;
    if (is(caller, kCallerAIFilter)) {
        auto* filter = static_cast<AIFilterMessage*>(message);
        if (is(selector, kSelectorAIGetParameters)) return GetParameters(filter);
        if (is(selector, kSelectorAIGoFilter)) return GoFilter(filter);
    }
    return kSPNoError;
}

}  // namespace

}  // namespace corvanta

extern "C" CORVANTA_EXPORT SPErr SPAPI PluginMain(const char* caller, const char* selector, void* message) {
    using namespace corvanta;
    auto* data = static_cast<SPMessageData*>(message);
    if (!data || !data->basic || !caller || !selector) return kSPBadParameterError;
    const SPBasicSuite* basic = data->basic;

    if (basic->IsEqual(caller, kSPAccessCaller)) {
        if (basic->IsEqual(selector, kSPAccessUnloadSelector)) return UnloadPlugin(data);
        if (basic->IsEqual(selector, kSPAccessReloadSelector)) return ReloadPlugin(data);
        return kSPNoError;
    }

    SPErr result = AcquireSuites(basic);
    if (result == kSPNoError) result = Dispatch(basic, caller, selector, message);
    // The acquisition has already shown its own alert for a missing suite.
    if (result != kSPNoError && result != kSPSuiteNotFoundError) ReportError(data, result);
    ReleaseSuites(basic);
    return result;
}

// The host calls PluginMain through SPPluginMainProc: a definition of any other type, its
// calling convention included, fails here instead of at the first message.
static_assert(std::is_same_v<decltype(&PluginMain), SPPluginMainProc>);
