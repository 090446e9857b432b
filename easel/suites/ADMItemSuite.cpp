// "ADM Item Suite" v4: the items of an open dialog, over the dialog model. Every handle is
// looked up among the open dialogs before it is followed, so a stale or forged item is ignored
// and reads as 0 / NULL.
#include <cmath>
#include <charconv>
#include <cstring>
#include <limits>
#include <system_error>

#include "ADMItem.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

ItemModel* Find(ADMItemRef item) {
    Runtime* rt = Runtime::live;
    return rt ? rt->dialogManager.Find(item) : nullptr;
}

// Runs a change that may allocate (texts); out of memory leaves the item as it was.
template <typename Body>
void Guarded(Body&& body) noexcept {
    try {
        body();
    } catch (...) {
    }
}

void SPAPI SetNotifyProc(ADMItemRef item, ADMItemNotifyProc proc) noexcept {
    if (ItemModel* i = Find(item)) i->SetNotifyProc(proc);
}

void SPAPI DefaultNotify(ADMItemRef item, ADMNotifierRef) noexcept {
    if (ItemModel* i = Find(item)) i->Dialog().DefaultNotify(*i);
}

void SPAPI SetText(ADMItemRef item, const char* text) noexcept {
    ItemModel* i = Find(item);
    if (!i || !text) return;
    if (i->Kind() == ItemKind::SpinEdit) {
        // A spin edit shows its value: text that is a number sets it, as typing it would.
        double value = 0;
        const char* end = text + std::strlen(text);
        const auto [ptr, ec] = std::from_chars(text, end, value);
        if (ec == std::errc() && ptr == end && ptr != text) i->SetValue(value);
        return;
    }
    Guarded([&] { i->SetText(text); });
}

ADMDialogRef SPAPI GetDialog(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    return i ? i->Dialog().Manager().Ref(i->Dialog()) : nullptr;
}

int32_t SPAPI GetID(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    return i ? i->Id() : 0;
}

void SPAPI SetTrackProc(ADMItemRef item, ADMItemTrackProc proc) noexcept {
    if (ItemModel* i = Find(item)) i->SetTrackProc(proc);
}

ADMBoolean SPAPI DefaultTrack(ADMItemRef item, ADMTrackerRef) noexcept {
    // The press and release of the tracked click have nothing more to do in the model.
    return Find(item) ? 1 : 0;
}

void SPAPI SendNotify(ADMItemRef item, const char* notifierType) noexcept {
    ItemModel* i = Find(item);
    if (!i || !notifierType) return;
    i->Dialog().Notify(*i, notifierType);
}

void SPAPI Show(ADMItemRef item, ADMBoolean show) noexcept {
    if (ItemModel* i = Find(item)) i->Show(show != 0);
}

void SPAPI Enable(ADMItemRef item, ADMBoolean enable) noexcept {
    if (ItemModel* i = Find(item)) i->Enable(enable != 0);
}

void SPAPI SetUnits(ADMItemRef item, int32_t units) noexcept {
    if (ItemModel* i = Find(item)) i->SetUnits(units);
}

void SPAPI SetPrecision(ADMItemRef item, int32_t places) noexcept {
    if (ItemModel* i = Find(item)) i->SetPrecision(places);
}

void SPAPI SetMinIntValue(ADMItemRef item, int32_t value) noexcept {
    if (ItemModel* i = Find(item)) i->SetMinimum(value);
}

void SPAPI SetMaxIntValue(ADMItemRef item, int32_t value) noexcept {
    if (ItemModel* i = Find(item)) i->SetMaximum(value);
}

void SPAPI SetMinFloatValue(ADMItemRef item, float value) noexcept {
    if (ItemModel* i = Find(item)) i->SetMinimum(value);
}

void SPAPI SetMaxFloatValue(ADMItemRef item, float value) noexcept {
    if (ItemModel* i = Find(item)) i->SetMaximum(value);
}

void SPAPI SetIntValue(ADMItemRef item, int32_t value) noexcept {
    if (ItemModel* i = Find(item)) i->SetValue(value);
}

int32_t SPAPI GetIntValue(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    if (!i) return 0;
    const double rounded = std::round(i->Value());
    if (rounded >= static_cast<double>(std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    if (rounded <= static_cast<double>(std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    return static_cast<int32_t>(rounded);
}

void SPAPI SetFloatValue(ADMItemRef item, float value) noexcept {
    if (ItemModel* i = Find(item)) i->SetValue(value);
}

float SPAPI GetFloatValue(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    return i ? static_cast<float>(i->Value()) : 0.0f;
}

void SPAPI SetBooleanValue(ADMItemRef item, ADMBoolean value) noexcept {
    if (ItemModel* i = Find(item)) i->SetValue(value ? 1 : 0);
}

ADMBoolean SPAPI GetBooleanValue(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    return i && i->Value() != 0 ? 1 : 0;
}

ADMListRef SPAPI GetList(ADMItemRef item) noexcept {
    const ItemModel* i = Find(item);
    return i ? i->Dialog().Manager().ListRef(*i) : nullptr;
}

const ADMItemSuite kTable = {
    SetNotifyProc, DefaultNotify,    SetText, GetDialog, GetID,
    SetTrackProc,  DefaultTrack,     SendNotify,       Show,          Enable,
    SetUnits,      SetPrecision,     SetMinIntValue,   SetMaxIntValue, SetMinFloatValue,
    SetMaxFloatValue, SetIntValue,   GetIntValue,      SetFloatValue, GetFloatValue,
    SetBooleanValue, GetBooleanValue, GetList,
};

}  // namespace

const void* ADMItemSuiteTable() { return &kTable; }

}  // namespace easel
