#include "dialogs/DialogManager.h"

#include <algorithm>

namespace easel {
namespace {

// The tag of dialog-manager handles, in the bits where Easel's other handles keep their kind
// (suites/Runtime.h), so that they never equal another kind of Easel handle:
//   64-bit: 0xAD << 56 | serial (32 bits);  32-bit: 0xA << 28 | serial (28 bits)
constexpr uintptr_t kTag = sizeof(uintptr_t) >= 8 ? 0xAD : 0xA;
constexpr unsigned kTagShift = sizeof(uintptr_t) >= 8 ? 56 : 28;
constexpr uintptr_t kSerialMask = sizeof(uintptr_t) >= 8 ? 0xFFFFFFFFu : 0x0FFFFFFFu;

// Null for a serial that does not fit beside the tag (past 2^28 on 32-bit hosts).
template <typename Handle>
Handle MakeRef(uint32_t serial) {
    if (serial > kSerialMask) return nullptr;
    return reinterpret_cast<Handle>(kTag << kTagShift | serial);
}

// The serial in a handle, or 0 when it is not one of ours.
template <typename Handle>
uint32_t SerialOf(Handle handle) {
    const uintptr_t bits = reinterpret_cast<uintptr_t>(handle);
    if (bits != (kTag << kTagShift | (bits & kSerialMask))) return 0;
    return static_cast<uint32_t>(bits & kSerialMask);
}

}  // namespace

DialogModel& DialogManager::Open(std::string name, int32_t resourceId) {
    open_.reserve(open_.size() + 1);
    open_.push_back(std::make_unique<DialogModel>(*this, NextSerial(), std::move(name), resourceId));
    return *open_.back();
}

void DialogManager::Close(DialogModel& dialog) {
    const auto found = std::find_if(open_.begin(), open_.end(), [&](const auto& d) { return d.get() == &dialog; });
    if (found == open_.end()) return;
    for (const auto& item : dialog.Items()) {
        items_.erase(item->Serial());
        if (const ListModel* list = item->List())
            for (size_t i = 0; i < list->Size(); ++i) entries_.erase(list->At(i)->serial);
    }
    open_.erase(found);
}

void DialogManager::Register(ItemModel& item) { items_.emplace(item.Serial(), &item); }

void DialogManager::Register(ItemModel& list, EntryModel& entry) {
    entries_.emplace(entry.serial, EntryPlace{&list, &entry});
}

ADMDialogRef DialogManager::Ref(const DialogModel& dialog) const { return MakeRef<ADMDialogRef>(dialog.Serial()); }
ADMItemRef DialogManager::Ref(const ItemModel& item) const { return MakeRef<ADMItemRef>(item.Serial()); }
ADMListRef DialogManager::ListRef(const ItemModel& item) const {
    return item.List() ? MakeRef<ADMListRef>(item.Serial()) : nullptr;
}
ADMEntryRef DialogManager::Ref(const EntryModel& entry) const { return MakeRef<ADMEntryRef>(entry.serial); }
ADMTrackerRef DialogManager::TrackerRef(const UserEvent& event) const { return MakeRef<ADMTrackerRef>(event.serial); }
ADMNotifierRef DialogManager::NotifierRef(uint32_t serial) const { return MakeRef<ADMNotifierRef>(serial); }

DialogModel* DialogManager::Find(ADMDialogRef dialog) const {
    const uint32_t serial = SerialOf(dialog);
    if (!serial) return nullptr;
    for (const auto& d : open_)
        if (d->Serial() == serial) return d.get();
    return nullptr;
}

ItemModel* DialogManager::Find(ADMItemRef item) const {
    const uint32_t serial = SerialOf(item);
    const auto found = serial ? items_.find(serial) : items_.end();
    return found == items_.end() ? nullptr : found->second;
}

ItemModel* DialogManager::FindList(ADMListRef list) const {
    const uint32_t serial = SerialOf(list);
    const auto found = serial ? items_.find(serial) : items_.end();
    if (found == items_.end() || !found->second->List()) return nullptr;
    return found->second;
}

EntryModel* DialogManager::Find(ADMEntryRef entry, ItemModel** list) const {
    const uint32_t serial = SerialOf(entry);
    const auto found = serial ? entries_.find(serial) : entries_.end();
    if (found == entries_.end()) return nullptr;
    if (list) *list = found->second.list;
    return found->second.entry;
}

const UserEvent* DialogManager::EventOf(ADMTrackerRef tracker) const {
    if (!tracker) return CurrentEvent();
    const uint32_t serial = SerialOf(tracker);
    return serial && serial == event_.serial ? &event_ : nullptr;
}

DialogManager::EventScope::EventScope(DialogManager& manager, uint32_t modifiers, int32_t h, int32_t v)
    : manager_(manager), saved_(manager.event_) {
    manager_.event_ = UserEvent{manager_.NextSerial(), modifiers, h, v};
}

DialogManager::EventScope::~EventScope() { manager_.event_ = saved_; }

}  // namespace easel
