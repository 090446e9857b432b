// easel: loads a plug-in module, runs its filter on a new document and writes the document.
//
//   easel [--plugin PATH] [--seed N] [-o FILE] [--about] [--without-suite NAME]...
//
// Exit status: 0 success, 1 the plug-in or the export failed (the message is shown), 2 a usage
// error (the option or value at fault is named).
#include <CLI/CLI.hpp>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

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

// A result code as people read it: four printable characters in quotes, else the number.
std::string CodeText(SPErr e) {
    const auto u = static_cast<uint32_t>(e);
    std::string text;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((u >> shift) & 0xff);
        if (c < 0x20 || c > 0x7e) return std::to_string(e);
        text += c;
    }
    return "'" + text + "'";
}

int Run(const std::string& pluginPath, const std::optional<uint32_t>& seed, const std::string& output,
        bool about, const std::vector<std::string>& withoutSuites) {
    easel::HostConfig config;
    config.seed = seed;
    config.omittedSuites = withoutSuites;
    easel::Host host(std::move(config));
    easel::PluginManager plugin(host);
    if (const SPErr e = plugin.Load(pluginPath)) {
        std::fprintf(stderr, "easel: %s did not start (code %s)\n", pluginPath.c_str(), CodeText(e).c_str());
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
                std::fprintf(stderr, "easel: the filter \"%s\" ended with code %s\n", title.c_str(), CodeText(e).c_str());
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
    std::vector<std::string> withoutSuites;
    app.add_option("--plugin", pluginPath, "the plug-in module (default: " + std::string(kModuleName) + " beside easel)");
    app.add_option("--seed", seed, "seed of the random sequence, so that a run repeats exactly");
    app.add_option("-o,--output", output, "the file to write: .svg or .json")->capture_default_str();
    app.add_flag("--about", about, "show the plug-in's About box instead of running the filter");
    app.add_option("--without-suite", withoutSuites, "run a host that lacks this suite (exact name); may be repeated")
        ->expected(1)->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.set_version_flag("--version", std::string("easel ") + EASEL_VERSION);
    try {
        app.parse(argc, argv);
    } catch (const CLI::Success& e) {
        return app.exit(e);
    } catch (const CLI::ParseError& e) {
        app.exit(e);
        return 2;
    }
    if (!output.empty()) {
        const std::string ext = std::filesystem::path(output).extension().string();
        std::string lower;
        for (char c : ext) lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        if (lower != ".svg" && lower != ".json") {
            std::fprintf(stderr, "easel: -o %s: the file must end in .svg or .json\n", output.c_str());
            return 2;
        }
    }

    try {
        return Run(pluginPath.empty() ? DefaultPlugin() : pluginPath, seed, output, about, withoutSuites);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "easel: %s\n", e.what());
        return 1;
    }
}
