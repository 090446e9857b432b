// ChildProcess.h: running a piece of work in a separate process, so that a crash or a hang in
// it (a plug-in's fault, or Easel's under a plug-in) is reported instead of taking the caller
// down. The validator runs each of its checks this way.
//
// Where the system can fork (Linux), the child is a copy of this process and runs the work's
// function. Where it cannot (Windows), the child is this program started afresh with the
// work's arguments followed by `kChildVerdictOption FILE`; the program must recognise them, do
// the same work and hand its verdict to WriteChildVerdict(FILE, ...).
#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace easel {

struct ChildOutcome {
    enum class Ending { Finished, Crashed, TimedOut, NoResult };
    Ending ending = Ending::NoResult;
    bool passed = false;   // what the work returned; meaningful when Finished
    std::string detail;    // the work's text when Finished; otherwise what happened to it
};

struct ChildTask {
    // The work, in a forked child: fills its detail (the first line is shown) and returns
    // whether it passed; an exception is its failure.
    std::function<bool(std::string& detail)> work;
    // The same work as this program's command-line arguments (without the program's name),
    // for a child started afresh.
    std::vector<std::string> arguments;
};

// The option that names the verdict file of a child started afresh.
inline constexpr const char* kChildVerdictOption = "--child-verdict";

// Runs `task` in a child process with at most `timeoutSeconds` of wall time. With `quiet`, the
// child's standard output and error are discarded. A child ended by a signal or an unhandled
// exception is Crashed (the detail names it); one still running at the deadline is killed and
// TimedOut; one that ends without a verdict is NoResult.
ChildOutcome RunInChild(const ChildTask& task, int timeoutSeconds, bool quiet);

// The child's side of a task started afresh: stores the verdict where RunInChild reads it.
// Returns false when it cannot be written.
bool WriteChildVerdict(const std::string& destination, bool passed, const std::string& detail);

// Makes a fault of this process end it at once with its exception's code, instead of the
// system's crash dialog or debugger: what a child started afresh calls first. Nothing to do
// where faults are signals.
void EndProcessOnFault();

// The path of this program's executable, when the system can tell.
std::optional<std::filesystem::path> ThisExecutable();

}  // namespace easel
