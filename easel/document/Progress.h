// Progress.h: long work over a document (an export, a render, a load) tells how far it is and
// learns whether to stop. The work calls Report often (every few milliseconds of work is
// plenty); the one who asked shows the fraction and answers false to cancel.
#pragma once

#include <stdexcept>

namespace easel {

class Progress {
public:
    virtual ~Progress() = default;
    // `done` in [0, 1], never decreasing. Returns false when the work should stop: it then
    // throws Cancelled at its next safe point, leaving nothing half-done behind.
    virtual bool Report(double done) = 0;
};

// The work was stopped because its Progress answered false.
class Cancelled : public std::runtime_error {
public:
    Cancelled() : std::runtime_error("cancelled") {}
};

// Calls progress->Report(done) when there is a progress, and throws Cancelled when it says stop.
inline void ReportOrCancel(Progress* progress, double done) {
    if (progress && !progress->Report(done)) throw Cancelled();
}

}  // namespace easel
