// PluginMain: the module's one exported entry. Recognises each host message by caller and
// selector, brackets it with the acquisition and release of the suites, runs its handler and
// shows any failure code.
#include <type_traits>

#include "AIFilter.h"
#include "AIMenu.h"
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
    GenerateStars(*settings);  // a failed go run is neither shown nor passed on
    return kSPNoError;
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
