// A host without each suite in turn: the plug-in answers a code, shows the suite-loading alert
// once the alert service is in hand, runs no handler, and gives back every suite it took.
#include "document/Document.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"
#include "suites/Registry.h"
#include "validate/Validator.h"

namespace easel::validate {
namespace {

bool WithoutSuite(const Context& c, const std::string& suite, std::string& detail) {
    HostConfig config;
    config.seed = c.seed;
    config.omittedSuites = {suite};
    Host host(std::move(config));
    SPErr startup = kSPNoError;
    SPErr run = kSPNoError;
    {
        PluginManager plugin(host);
        startup = plugin.Load(c.plugin);
        Document& doc = host.NewDocument();
        if (plugin.Filter()) run = plugin.RunFilter(doc);
        (void)plugin.About();
        (void)plugin.Shutdown();
        if (startup == kSPNoError && run == kSPNoError)
            return detail = "every message succeeded without the suite", false;
        if (startup != kSPNoError && plugin.Filter() != nullptr)
            return detail = "a failed start-up registered its filter", false;
        for (const Layer& l : doc.layers)
            if (run != kSPNoError && startup != kSPNoError && !l.art.empty())
                return detail = "a plug-in that never started drew art", false;
    }
    if (host.OpenAcquisitions() != 0) return detail = std::to_string(host.OpenAcquisitions()) + " suites held", false;
    if (host.OpenBlocks() != 0) return detail = "blocks not freed", false;
    detail = "start-up answered " + std::to_string(startup);
    if (!host.Alerts().empty()) detail += "; alert \"" + host.Alerts()[0] + "\"";
    return true;
}

}  // namespace

void AddMissingSuiteChecks(std::vector<Check>& checks) {
    const Registry all({});
    for (const Registry::Entry& e : all.Entries()) {
        const std::string name = e.name;
        checks.push_back({"missing-suite/" + name, 30,
                          [name](const Context& c, std::string& d) { return WithoutSuite(c, name, d); }});
    }
}

}  // namespace easel::validate
