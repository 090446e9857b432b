#include "validate/Validator.h"

#include <chrono>
#include <nlohmann/json.hpp>
#include <ostream>

#include "platform/ChildProcess.h"

namespace easel::validate {

int64_t Context::Scaled(int64_t base) const {
    const int64_t n = base * strictness / 5;
    return n < 1 ? 1 : n;
}

std::vector<Check> AllChecks() {
    std::vector<Check> checks;
    AddModuleChecks(checks);
    AddLifecycleChecks(checks);
    AddMissingSuiteChecks(checks);
    AddHostSuiteChecks(checks);
    AddScenarioChecks(checks);
    return checks;
}

namespace {

// FNV-1a of the name, mixed with the run's seed: a check's seed depends on nothing else.
uint32_t CheckSeed(uint32_t runSeed, const std::string& name) {
    uint32_t h = 2166136261u ^ runSeed;
    for (unsigned char c : name) h = (h ^ c) * 16777619u;
    return h;
}

std::string FirstLine(const std::string& text) {
    const size_t end = text.find('\n');
    return end == std::string::npos ? text : text.substr(0, end);
}

// The check named `name` in this process, its verdict handed to the parent: the child's side
// of RunInChild where the child is this program started afresh.
int RunChildCheck(const Options& options) {
    EndProcessOnFault();
    for (const Check& check : AllChecks()) {
        if (check.name != options.childCheck) continue;
        const Context context{options.plugin, options.strictness, CheckSeed(options.seed, check.name)};
        std::string detail;
        bool passed = false;
        try {
            passed = check.run(context, detail);
        } catch (const std::exception& e) {
            detail = std::string("exception: ") + e.what();
        } catch (...) {
            detail = "an exception of unknown type";
        }
        return WriteChildVerdict(options.childVerdict, passed, detail) ? 0 : 1;
    }
    WriteChildVerdict(options.childVerdict, false, "no check is named \"" + options.childCheck + "\"");
    return 1;
}

// This program's arguments that run one check of this run on its own.
std::vector<std::string> ChildArguments(const Options& options, const std::string& name) {
    return {"validate", "--plugin", options.plugin, "--strictness", std::to_string(options.strictness),
            "--seed", std::to_string(options.seed), "--child-check", name};
}

}  // namespace

int Run(const Options& options, std::ostream& out) {
    if (!options.childCheck.empty()) return RunChildCheck(options);
    int passed = 0, failed = 0;
    nlohmann::json results = nlohmann::json::array();
    for (const Check& check : AllChecks()) {
        if (!options.only.empty() && check.name.find(options.only) == std::string::npos) continue;
        Context context{options.plugin, options.strictness, CheckSeed(options.seed, check.name)};
        // A stricter run does more work per check, so it gets more time too.
        const int timeout = check.timeoutSeconds * (options.strictness > 5 ? options.strictness : 5) / 5 *
                            (options.timeScale > 0 ? options.timeScale : 1);
        const auto start = std::chrono::steady_clock::now();
        const ChildOutcome outcome =
            RunInChild({[&](std::string& detail) { return check.run(context, detail); },
                        ChildArguments(options, check.name)},
                       timeout, !options.verbose);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        const bool ok = outcome.ending == ChildOutcome::Ending::Finished && outcome.passed;
        (ok ? passed : failed) += 1;
        const std::string detail = FirstLine(outcome.detail);
        if (options.json) {
            results.push_back({{"name", check.name}, {"passed", ok}, {"detail", detail},
                               {"seed", options.seed}, {"seconds", seconds}});
        } else {
            out << (ok ? "PASS " : "FAIL ") << check.name;
            if (!detail.empty()) out << ": " << detail;
            if (!ok) out << " (replay: --seed " << options.seed << " --only '" << check.name << "')";
            out << '\n' << std::flush;
        }
    }
    if (options.json) {
        out << nlohmann::json{{"checks", results}, {"passed", passed}, {"failed", failed},
                              {"seed", options.seed}, {"strictness", options.strictness}}.dump(2)
            << '\n';
    } else {
        out << passed << " passed, " << failed << " failed\n";
    }
    return failed == 0 ? 0 : 1;
}

}  // namespace easel::validate
