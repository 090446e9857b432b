// ChildProcess.h: running a piece of work in a separate process, so that a crash or a hang in
// it (a plug-in's fault, or Easel's under a plug-in) is reported instead of taking the caller
// down. The validator runs each of its checks this way.
#pragma once

#include <functional>
#include <string>

namespace easel {

struct ChildOutcome {
    enum class Ending { Finished, Crashed, TimedOut, NoResult };
    Ending ending = Ending::NoResult;
    bool passed = false;   // what the work returned; meaningful when Finished
    std::string detail;    // the work's text when Finished; otherwise what happened to it
};

// Runs `work` in a child process with at most `timeoutSeconds` of wall time. The work's text
// (its first line is shown as the detail) and its verdict come back through a pipe. With
// `quiet`, the child's standard output and error go to /dev/null. A child killed by a signal
// is Crashed (the detail names the signal); one still running at the deadline is killed and
// TimedOut.
ChildOutcome RunInChild(const std::function<bool(std::string& detail)>& work, int timeoutSeconds,
                        bool quiet);

}  // namespace easel
