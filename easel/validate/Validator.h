// Validator.h: `easel validate`, which checks a plug-in module the way hosts that trust plug-ins
// check them: its file, its life, every missing suite, every failing host call, hostile records
// and dialog scripts, repeatability, and Easel's own suites under bad arguments.
//
// Each check runs in a child process (platform/ChildProcess.h), so a crash or a hang is that
// check's failure, never the validator's. Every check draws its random numbers from a seed
// derived from the run's seed and the check's name, so `--seed S --only NAME` replays exactly
// the failing check of a run with seed S.
#pragma once

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

namespace easel::validate {

struct Options {
    std::string plugin;        // the module to check
    int strictness = 5;        // 1 .. 10: scales every count (5 takes about a minute)
    uint32_t seed = 0;         // the run's seed
    std::string only;          // when not empty: only checks whose name contains this
    bool json = false;         // one JSON document instead of lines
    bool verbose = false;      // let the checks' own output through
    int timeScale = 1;         // multiplies every check's time bound (slow builds: sanitizers)
    // Set in a child started afresh (platform/ChildProcess.h): run the check of exactly this
    // name in this process and write its verdict to `childVerdict`, nothing else.
    std::string childCheck;
    std::string childVerdict;
};

// What a check knows of the run.
struct Context {
    std::string plugin;
    int strictness = 5;
    uint32_t seed = 0;  // this check's own seed
    // `base` scaled by strictness (base at 5), at least 1.
    int64_t Scaled(int64_t base) const;
};

// A check: fills `detail` (first line shown) and returns true when it passed. It may throw;
// the exception is its failure.
struct Check {
    std::string name;
    int timeoutSeconds = 60;
    std::function<bool(const Context&, std::string& detail)> run;
};

// Every check, in the order they run.
std::vector<Check> AllChecks();

// Runs the checks Options selects, writes one line per check and a closing line
// "N passed, M failed" (or the JSON document). Returns 0 when all passed, 1 otherwise.
int Run(const Options& options, std::ostream& out);

// Each family of checks adds itself.
void AddModuleChecks(std::vector<Check>& checks);
void AddLifecycleChecks(std::vector<Check>& checks);
void AddMissingSuiteChecks(std::vector<Check>& checks);
void AddHostSuiteChecks(std::vector<Check>& checks);
void AddScenarioChecks(std::vector<Check>& checks);

}  // namespace easel::validate
