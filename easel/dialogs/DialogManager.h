// DialogManager.h: the open dialogs of one host session, the handles the plug-in is given for
// them, and the current user event.
//
// Handles are ids, never pointers: every dialog, item (and its list) and entry gets a serial
// from one counter that never repeats, and the handle is that serial (tagged in the top byte
// on 64-bit systems). A handle is looked up before it is followed, so a stale handle (its
// dialog has closed), a forged one or one of another kind finds nothing: the suites then
// ignore the call or answer 0 / NULL.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "ADMTypes.h"
#include "dialogs/DialogModel.h"

namespace easel {

// The user event being delivered: the modifier bits and the view point the tracker suite
// reports. There is none between events.
struct UserEvent {
    uint32_t serial = 0;  // the tracker handle's id
    uint32_t modifiers = 0;
    int32_t h = 0, v = 0;
};

class DialogManager {
public:
    DialogManager() = default;
    DialogManager(const DialogManager&) = delete;
    DialogManager& operator=(const DialogManager&) = delete;

    // A new dialog on top of the open ones. It stays open until Close.
    DialogModel& Open(std::string name, int32_t resourceId);
    // Drops the dialog and every handle into it.
    void Close(DialogModel& dialog);
    // Open dialogs, innermost last.
    const std::vector<std::unique_ptr<DialogModel>>& OpenDialogs() const { return open_; }
    DialogModel* Innermost() const { return open_.empty() ? nullptr : open_.back().get(); }

    uint32_t NextSerial() { return nextSerial_++; }
    // Registers a new item's serial (DialogModel::CreateItem) and a new entry's.
    void Register(ItemModel& item);
    void Register(ItemModel& list, EntryModel& entry);

    // Handles, and what they name (null when they name nothing open).
    ADMDialogRef Ref(const DialogModel& dialog) const;
    ADMItemRef Ref(const ItemModel& item) const;
    ADMListRef ListRef(const ItemModel& item) const;  // null for an item without a list
    ADMEntryRef Ref(const EntryModel& entry) const;
    ADMTrackerRef TrackerRef(const UserEvent& event) const;
    ADMNotifierRef NotifierRef(uint32_t serial) const;
    DialogModel* Find(ADMDialogRef dialog) const;
    ItemModel* Find(ADMItemRef item) const;
    ItemModel* FindList(ADMListRef list) const;  // the popup list item the list belongs to
    // The entry and the popup list item holding it.
    EntryModel* Find(ADMEntryRef entry, ItemModel** list = nullptr) const;

    // The event being delivered, or null.
    const UserEvent* CurrentEvent() const { return event_.serial ? &event_ : nullptr; }
    // The event a tracker names: a NULL tracker is the current event; a tracker of an event
    // that is over names nothing.
    const UserEvent* EventOf(ADMTrackerRef tracker) const;

    // Makes an event current for the scope's lifetime (events nest: the outer one comes back).
    class EventScope {
    public:
        EventScope(DialogManager& manager, uint32_t modifiers, int32_t h, int32_t v);
        ~EventScope();
        EventScope(const EventScope&) = delete;
        EventScope& operator=(const EventScope&) = delete;
        const UserEvent& Event() const { return manager_.event_; }

    private:
        DialogManager& manager_;
        UserEvent saved_;
    };

private:
    std::vector<std::unique_ptr<DialogModel>> open_;
    std::unordered_map<uint32_t, ItemModel*> items_;
    struct EntryPlace {
        ItemModel* list;
        EntryModel* entry;
    };
    std::unordered_map<uint32_t, EntryPlace> entries_;
    UserEvent event_;
    uint32_t nextSerial_ = 1;
};

}  // namespace easel
