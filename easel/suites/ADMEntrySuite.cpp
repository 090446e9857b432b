// "ADM Entry Suite" v2: one entry of a popup list. Entry handles are checked like every other
// dialog handle: one whose dialog has closed is ignored and reads as 0 / -1.
#include "ADMEntry.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

EntryModel* Find(ADMEntryRef entry, ItemModel*& list) {
    list = nullptr;
    Runtime* rt = Runtime::live;
    return rt ? rt->dialogManager.Find(entry, &list) : nullptr;
}

void SPAPI SetText(ADMEntryRef entry, const char* text) noexcept {
    ItemModel* list;
    EntryModel* e = Find(entry, list);
    if (!e || !text) return;
    try {
        list->SetEntryText(*e, text);
    } catch (...) {
        // Out of memory: the entry keeps its old text.
    }
}

void SPAPI SetID(ADMEntryRef entry, int32_t id) noexcept {
    ItemModel* list;
    if (EntryModel* e = Find(entry, list)) list->SetEntryId(*e, id);
}

int32_t SPAPI GetID(ADMEntryRef entry) noexcept {
    ItemModel* list;
    const EntryModel* e = Find(entry, list);
    return e ? e->id : 0;
}

void SPAPI Select(ADMEntryRef entry, ADMBoolean select) noexcept {
    ItemModel* list;
    if (EntryModel* e = Find(entry, list)) list->SelectEntry(*e, select != 0);
}

int32_t SPAPI GetIndex(ADMEntryRef entry) noexcept {
    ItemModel* list;
    const EntryModel* e = Find(entry, list);
    return e ? list->List()->PositionOf(*e) : -1;
}

const ADMEntrySuite kTable = {SetText, SetID, GetID, Select, GetIndex};

}  // namespace

const void* ADMEntrySuiteTable() { return &kTable; }

}  // namespace easel
