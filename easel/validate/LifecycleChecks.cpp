// The plug-in's life, many times over: start-up, shut-down, unload and reload with its globals
// kept, filter runs between; afterwards everything it took from the host is given back.
#include "document/Document.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"
#include "validate/Validator.h"

namespace easel::validate {
namespace {

// What the plug-in still holds of the host; empty when it gave everything back.
std::string Leaks(const Host& host) {
    std::string leaks;
    if (host.OpenAcquisitions() != 0) leaks += std::to_string(host.OpenAcquisitions()) + " suites held; ";
    if (host.OpenBlocks() != 0) leaks += std::to_string(host.OpenBlocks()) + " blocks not freed; ";
    if (host.OpenMemoryHandles() != 0) leaks += std::to_string(host.OpenMemoryHandles()) + " handles not disposed of; ";
    return leaks;
}

bool StartAndStop(const Context& c, std::string& detail) {
    const int64_t rounds = c.Scaled(40);
    for (int64_t round = 0; round < rounds; ++round) {
        HostConfig config;
        config.seed = c.seed + static_cast<uint32_t>(round);
        Host host(std::move(config));
        {
            PluginManager plugin(host);
            if (const SPErr e = plugin.Load(c.plugin)) return detail = "start-up answered " + std::to_string(e), false;
            if (const SPErr e = plugin.Shutdown()) return detail = "shut-down answered " + std::to_string(e), false;
        }
        if (const std::string leaks = Leaks(host); !leaks.empty())
            return detail = "round " + std::to_string(round) + ": " + leaks, false;
    }
    detail = std::to_string(rounds) + " loads, start-ups and shut-downs";
    return true;
}

bool UnloadAndReload(const Context& c, std::string& detail) {
    const int64_t rounds = c.Scaled(20);
    HostConfig config;
    config.seed = c.seed;
    Host host(std::move(config));
    {
        PluginManager plugin(host);
        if (const SPErr e = plugin.Load(c.plugin)) return detail = "start-up answered " + std::to_string(e), false;
        Document& doc = host.NewDocument();
        void* globals = nullptr;  // handed to the host at the first unload
        for (int64_t round = 0; round < rounds; ++round) {
            if (const SPErr e = plugin.Unload()) return detail = "unload answered " + std::to_string(e), false;
            if (round == 0) globals = plugin.Globals();
            if (!globals) return detail = "the plug-in handed over no globals at unload", false;
            if (plugin.Globals() != globals) return detail = "the globals changed across unload", false;
            if (const SPErr e = plugin.Reload()) return detail = "reload answered " + std::to_string(e), false;
            if (plugin.Globals() != globals) return detail = "the globals changed across reload", false;
            if (const SPErr e = plugin.RunFilter(doc); e != kSPNoError && e != kSPUserCanceledError)
                return detail = "the filter after reload " + std::to_string(round) + " answered " + std::to_string(e), false;
            if (host.OpenAcquisitions() != 0)
                return detail = "suites still held between messages after round " + std::to_string(round), false;
        }
        if (const SPErr e = plugin.Shutdown()) return detail = "shut-down answered " + std::to_string(e), false;
    }
    if (const std::string leaks = Leaks(host); !leaks.empty()) return detail = leaks, false;
    detail = std::to_string(rounds) + " unloads and reloads with the globals kept, a filter run after each";
    return true;
}

bool RepeatedFilterRuns(const Context& c, std::string& detail) {
    const int64_t rounds = c.Scaled(30);
    HostConfig config;
    config.seed = c.seed;
    Host host(std::move(config));
    size_t handlesAfterFirst = 0;
    {
        PluginManager plugin(host);
        if (const SPErr e = plugin.Load(c.plugin)) return detail = "start-up answered " + std::to_string(e), false;
        Document& doc = host.NewDocument();
        for (int64_t round = 0; round < rounds; ++round) {
            if (const SPErr e = plugin.RunFilter(doc); e != kSPNoError && e != kSPUserCanceledError)
                return detail = "run " + std::to_string(round) + " answered " + std::to_string(e), false;
            if (round == 0) handlesAfterFirst = static_cast<size_t>(host.OpenMemoryHandles());
            else if (static_cast<size_t>(host.OpenMemoryHandles()) != handlesAfterFirst)
                return detail = "memory handles grow from run to run", false;
        }
        if (const SPErr e = plugin.Shutdown()) return detail = "shut-down answered " + std::to_string(e), false;
    }
    if (const std::string leaks = Leaks(host); !leaks.empty()) return detail = leaks, false;
    detail = std::to_string(rounds) + " filter runs on one document";
    return true;
}

}  // namespace

void AddLifecycleChecks(std::vector<Check>& checks) {
    checks.push_back({"lifecycle/start-and-stop", 60, StartAndStop});
    checks.push_back({"lifecycle/unload-and-reload", 60, UnloadAndReload});
    checks.push_back({"lifecycle/repeated-runs", 60, RepeatedFilterRuns});
}

}  // namespace easel::validate
