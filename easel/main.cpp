// easel: loads a plug-in module, runs its filter on a new document and writes the document.
//
//   easel [--plugin PATH] [--seed N] [-o FILE] [--about]
#include <CLI/CLI.hpp>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>

#include "export/Export.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"

namespace {

constexpr const char* kModuleName = "QM07_Corvanta.aip";

// The module beside the executable, else the one of the build tree it was built with.
std::string DefaultPlugin() {
    std::error_code ec;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec) {
        const std::filesystem::path beside = self.parent_path() / kModuleName;
        if (std::filesystem::exists(beside, ec)) return beside.string();
    }
    return EASEL_BUILD_MODULE;
}

int Run(const std::string& pluginPath, const std::optional<uint32_t>& seed, const std::string& output,
        bool about) {
    easel::HostConfig config;
    config.seed = seed;
    easel::Host host(std::move(config));
    easel::PluginManager plugin(host);
    if (const SPErr e = plugin.Load(pluginPath)) {
        std::fprintf(stderr, "easel: %s did not start (code %d)\n", pluginPath.c_str(), static_cast<int>(e));
        return 1;
    }
    int status = 0;
    if (about) {
        if (plugin.About() != kSPNoError) status = 1;
    } else {
        const AIFilterHandle filter = plugin.Filter();
        std::string title;
        for (const easel::FilterInfo& f : host.Filters())
            if (f.handle == filter) title = f.title;
        if (!filter) {
            std::fprintf(stderr, "easel: %s registered no filter\n", pluginPath.c_str());
            status = 1;
        } else {
            easel::Document& doc = host.NewDocument();
            const SPErr e = plugin.RunFilter(doc);
            if (e != kSPNoError) {
                std::fprintf(stderr, "easel: the filter \"%s\" ended with code %d\n", title.c_str(), static_cast<int>(e));
                status = 1;
            } else {
                easel::WriteDocumentFile(doc, output);
                std::fprintf(stderr, "easel: wrote %s\n", output.c_str());
            }
        }
    }
    if (plugin.Shutdown() != kSPNoError && status == 0) status = 1;
    return status;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app{"Easel: runs a plug-in's filter on a new document and writes it as SVG or JSON"};
    std::string pluginPath;
    std::optional<uint32_t> seed;
    std::string output = "stars.svg";
    bool about = false;
    app.add_option("--plugin", pluginPath, "the plug-in module (default: " + std::string(kModuleName) + " beside easel)");
    app.add_option("--seed", seed, "seed of the random sequence, so that a run repeats exactly");
    app.add_option("-o,--output", output, "the file to write: .svg or .json")->capture_default_str();
    app.add_flag("--about", about, "show the plug-in's About box instead of running the filter");
    CLI11_PARSE(app, argc, argv);

    try {
        return Run(pluginPath.empty() ? DefaultPlugin() : pluginPath, seed, output, about);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "easel: %s\n", e.what());
        return 1;
    }
}
