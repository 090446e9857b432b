// "ADM Tracker Suite" v1: the modifier bits and mouse point of the user's event being
// delivered (DialogManager's current event). A pick from the command line or the window sets
// kADMPickModifier and the point in the first document view.
#include "ADMTracker.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

const UserEvent* EventOf(ADMTrackerRef tracker) {
    Runtime* rt = Runtime::live;
    return rt ? rt->dialogManager.EventOf(tracker) : nullptr;
}

uint32_t SPAPI GetModifiers(ADMTrackerRef tracker) noexcept {
    const UserEvent* e = EventOf(tracker);
    return e ? e->modifiers : 0;
}

void SPAPI GetPoint(ADMTrackerRef tracker, int32_t* h, int32_t* v) noexcept {
    const UserEvent* e = EventOf(tracker);
    if (h) *h = e ? e->h : 0;
    if (v) *v = e ? e->v : 0;
}

const ADMTrackerSuite kTable = {GetModifiers, GetPoint};

}  // namespace

const void* ADMTrackerSuiteTable() { return &kTable; }

}  // namespace easel
