// The suites the plug-in acquires with every message but does not call yet. Each is an empty
// table, one reserved entry answering kSPNoError, so that the plug-in's acquisition of its whole
// table succeeds; their operations come later, each in a file of its own, replacing its entry
// here. HostConfig::omittedSuites leaves any of them out like any other suite.
#include "suites/Runtime.h"

namespace easel {
namespace {

struct PlaceholderTable {
    SPErr (SPAPI *reserved)();
};

SPErr SPAPI Reserved() { return kSPNoError; }

const PlaceholderTable kTable = {Reserved};

}  // namespace

const std::vector<PlaceholderSuite>& PlaceholderSuites() {
    static const std::vector<PlaceholderSuite> suites = {
        {"SP Access Suite", 3, &kTable},
        {"AI Matching Art Suite", 4, &kTable},
        {"AI Tag Suite", 2, &kTable},
        {"AI ObjectSet Suite", 1, &kTable},
        {"ADM Icon Suite", 1, &kTable},
        {"ADM Notifier Suite", 1, &kTable},
    };
    return suites;
}

}  // namespace easel
