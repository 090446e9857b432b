// The module as a file: it opens, exports only its entry point, and carries complete resources.
#include <algorithm>

#include "host/Host.h"
#include "platform/ModuleLoader.h"
#include "plugins/PluginManager.h"
#include "resources/ModuleResources.h"
#include "validate/Validator.h"

namespace easel::validate {
namespace {

bool Opens(const Context& c, std::string& detail) {
    Host host;
    PluginManager plugin(host);
    const SPErr e = plugin.Load(c.plugin);  // a refusal throws, naming the file and the reason
    if (e != kSPNoError) {
        detail = "start-up answered " + std::to_string(e);
        return false;
    }
    if (host.Filters().size() != 1) {
        detail = "start-up registered " + std::to_string(host.Filters().size()) + " filters, not 1";
        return false;
    }
    detail = "registered \"" + host.Filters()[0].title + "\" in \"" + host.Filters()[0].category + "\"";
    return plugin.Shutdown() == kSPNoError;
}

bool ExportsOnlyItsEntryPoint(const Context& c, std::string& detail) {
    const std::vector<std::string> names = MakeSystemModuleLoader()->ExportedSymbols(c.plugin);
    const auto pipl = ParseResources(MakeSystemModuleLoader()->ReadResources(c.plugin)).Pipl();
    const std::string entry = pipl && pipl->entryPoint() ? *pipl->entryPoint() : "PluginMain";
    if (names.size() == 1 && names[0] == entry) {
        detail = "exports " + entry + " only";
        return true;
    }
    detail = "exports";
    for (const std::string& n : names) detail += " " + n;
    if (names.empty()) detail += " nothing";
    detail += "; expected " + entry + " only";
    return false;
}

bool PropertyListIsRight(const Context& c, std::string& detail) {
    const ModuleResources res = ParseResources(MakeSystemModuleLoader()->ReadResources(c.plugin));
    const auto pipl = res.Pipl();
    if (!pipl) return detail = "no property list 16000", false;
    if (pipl->kind() != SP_FOUR_CHAR_CODE('S', 'P', 'E', 'A')) return detail = "kind is not SPEA", false;
    if (pipl->interfaceVersion() != 2) return detail = "interface version is not 2", false;
    if (!pipl->entryPoint() || pipl->entryPoint()->empty()) return detail = "no x86 entry point", false;
    detail = std::to_string(pipl->properties.size()) + " properties, entry " + *pipl->entryPoint();
    return true;
}

bool ResourcesAreComplete(const Context& c, std::string& detail) {
    const ModuleResources res = ParseResources(MakeSystemModuleLoader()->ReadResources(c.plugin));
    std::vector<std::string> missing;
    for (uint32_t list : {16000u, 16050u}) {
        const auto marker = res.String(list);
        if (!marker || marker->empty()) missing.push_back("string list " + std::to_string(list));
        else if (!res.String(list + 1)) missing.push_back("string " + std::to_string(list + 1));
    }
    for (uint32_t id : {16050u, 16051u, 16100u})
        if (!res.Dialog(id)) missing.push_back("dialog " + std::to_string(id));
    if (const auto about = res.Dialog(16050); about && about->items.empty()) missing.push_back("About items");
    if (const auto settings = res.Dialog(16100); settings && settings->title != "Corvanta Plug-in")
        missing.push_back("title of dialog 16100");
    const auto version = res.Version();
    if (!version) missing.push_back("version resource");
    else {
        for (const char* key : {"FileVersion", "ProductVersion", "OriginalFilename"})
            if (!version->Value(key)) missing.push_back(std::string("version value ") + key);
        if (version->translations.empty()) missing.push_back("version translation");
    }
    if (!res.Find(kResourceTypeGroupIcon, uint16_t{16051})) missing.push_back("icon 16051");
    if (!res.Find(kResourceTypeGroupCursor, uint16_t{16000})) missing.push_back("cursor 16000");
    for (const Resource& r : res.Resources())
        if (r.language != 1033) missing.push_back(r.type.ToString() + "/" + r.name.ToString() + " not language 1033");
    if (missing.empty()) {
        detail = std::to_string(res.Resources().size()) + " resources";
        return true;
    }
    detail = "missing or wrong:";
    for (const std::string& m : missing) detail += " " + m + ";";
    return false;
}

}  // namespace

void AddModuleChecks(std::vector<Check>& checks) {
    checks.push_back({"module/opens", 30, Opens});
    checks.push_back({"module/exports", 30, ExportsOnlyItsEntryPoint});
    checks.push_back({"module/property-list", 30, PropertyListIsRight});
    checks.push_back({"module/resources", 30, ResourcesAreComplete});
}

}  // namespace easel::validate
