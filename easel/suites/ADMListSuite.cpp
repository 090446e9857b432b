// "ADM List Suite" v1: the entry list of a popup list item. A list handle names its item, so it
// dies with the item's dialog like every other dialog handle.
#include "ADMList.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

ItemModel* Find(ADMListRef list) {
    Runtime* rt = Runtime::live;
    return rt ? rt->dialogManager.FindList(list) : nullptr;
}

ADMEntryRef Ref(const ItemModel& list, const EntryModel* entry) {
    return entry ? list.Dialog().Manager().Ref(*entry) : nullptr;
}

ADMEntryRef SPAPI InsertEntry(ADMListRef list, int32_t index) noexcept {
    ItemModel* i = Find(list);
    if (!i) return nullptr;
    try {
        return Ref(*i, i->InsertEntry(index));
    } catch (...) {
        return nullptr;  // out of memory: no entry
    }
}

ADMEntryRef SPAPI IndexEntry(ADMListRef list, int32_t index) noexcept {
    ItemModel* i = Find(list);
    return i ? Ref(*i, i->EntryAt(index)) : nullptr;
}

ADMEntryRef SPAPI GetActiveEntry(ADMListRef list) noexcept {
    ItemModel* i = Find(list);
    return i ? Ref(*i, i->List()->Chosen()) : nullptr;
}

int32_t SPAPI NumberOfEntries(ADMListRef list) noexcept {
    const ItemModel* i = Find(list);
    return i ? static_cast<int32_t>(i->List()->Size()) : 0;
}

const ADMListSuite kTable = {InsertEntry, IndexEntry, GetActiveEntry, NumberOfEntries};

}  // namespace

const void* ADMListSuiteTable() { return &kTable; }

}  // namespace easel
