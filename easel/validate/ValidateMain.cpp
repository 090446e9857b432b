// `easel validate`: the command line of the validator.
#include <CLI/CLI.hpp>
#include <iostream>
#include <optional>
#include <random>

#include "CommandLineParse.h"
#include "platform/ChildProcess.h"
#include "validate/ValidateMain.h"
#include "validate/Validator.h"

namespace easel::validate {

int Main(int argc, char** argv, const std::string& defaultPlugin) {
    CLI::App app{"easel validate: checks a plug-in module under faults and bad input"};
    app.name("easel validate");
    Options options;
    std::optional<uint32_t> seed;
    app.add_option("--plugin", options.plugin, "the module to check (default: the one easel loads)");
    app.add_option("--strictness", options.strictness, "1 to 10: how much work each check does (5)")
        ->check(CLI::Range(1, 10));
    app.add_option("--seed", seed, "the run's seed; a failure's line gives it for a replay");
    app.add_option("--only", options.only, "only the checks whose name contains this text");
    app.add_flag("--json", options.json, "write one JSON document instead of lines");
    app.add_flag("--verbose", options.verbose, "let the checks' own output through");
    app.add_option("--time-scale", options.timeScale, "multiply every check's time bound (for slow builds)")
        ->check(CLI::Range(1, 100));
    // A child started afresh to run one check (platform/ChildProcess.h); not for people.
    app.add_option("--child-check", options.childCheck)->group("");
    app.add_option(kChildVerdictOption, options.childVerdict)->group("");
    if (const std::optional<int> status = ParseCommandLine(app, argc, argv)) return *status;
    if (!options.childCheck.empty() && options.childVerdict.empty()) {
        std::cerr << "easel validate: --child-check needs " << kChildVerdictOption << '\n';
        return 2;
    }
    if (options.plugin.empty()) options.plugin = defaultPlugin;
    options.seed = seed ? *seed : std::random_device{}();
    return Run(options, std::cout);
}

}  // namespace easel::validate
