// DialogModel.h: Easel's dialog manager as a model, independent of any toolkit: dialogs, their
// items, popup lists and entries, the plug-in's notifiers and track handlers, and the user's
// events.
//
// Who changes what:
// - The plug-in changes the model through the ADM suites (easel/suites/ADM*.cpp), which call the
//   setters below. Every setter tells the dialog's observers what changed.
// - The user changes it through the User... entry points of DialogModel. Each acts exactly as a
//   user's edit arrives in the dialog manager: the item's value changes first, then the item's
//   notifier (or track handler) runs, synchronously, before the call returns. A view (a window,
//   or the headless driver) calls only these; it holds no dialog logic of its own.
// - A view shows the model: it reads items through the getters and follows DialogObserver's
//   calls to keep its widgets in step.
//
// Geometry is in the dialog manager's units, pixels, y downward: a dialog's bounds are on the
// screen, an item's bounds relative to the dialog's top-left corner.
//
// Lifetime: a DialogModel lives from ADMDialogSuite's Modal until Modal returns (DialogManager
// opens and closes it). Items and entries are never destroyed while their dialog is open, so
// references into an open dialog stay valid; the plug-in reaches them only through checked
// handles (DialogManager), never through pointers.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "ADMTypes.h"

namespace easel {

class DialogManager;
class DialogModel;
class ItemModel;

// The six item kinds of the dialog manager, by their type names (ADMTypes.h).
enum class ItemKind : uint8_t { SpinEdit, TextStatic, PopupList, CheckBox, PushButton, PictureButton };

// kADMSpinEditType etc.
const char* ItemTypeName(ItemKind kind);
// The kind whose type name is exactly `name`; empty for any other name.
std::optional<ItemKind> ItemKindNamed(std::string_view name);
// The kind as people say it: "spin edit", "static text", "popup list", "check box",
// "push button", "picture button".
const char* ItemKindWord(ItemKind kind);

// One entry of a popup list. `serial` is its handle's id, unique in the DialogManager.
struct EntryModel {
    uint32_t serial = 0;
    int32_t id = 0;  // as the plug-in gave it; 0 until set
    std::string text;
};

// The entries of a popup list in order, and which one is chosen (at most one).
class ListModel {
public:
    size_t Size() const { return entries_.size(); }
    const EntryModel* At(size_t position) const {
        return position < entries_.size() ? entries_[position].get() : nullptr;
    }
    // The entry's position, or -1 when it is not in this list.
    int32_t PositionOf(const EntryModel& entry) const;
    // The chosen entry's position, or -1 when none is chosen.
    int32_t ChosenPosition() const;
    const EntryModel* Chosen() const;

private:
    friend class ItemModel;
    std::vector<std::unique_ptr<EntryModel>> entries_;
    uint32_t chosen_ = 0;  // serial of the chosen entry; 0: none
};

// What changed in an item, for DialogObserver.
enum class ItemChange : uint8_t {
    Created,  // a new item (after the dialog was presented, or during the plug-in's init)
    Value,    // value (a popup list's choice included)
    Text,
    Shown,
    Enabled,
    Bounds,
    Limits,   // minimum, maximum, precision or units
    Entries,  // a popup list's entries: inserted, text or identifier
};

enum class DialogChange : uint8_t {
    Bounds,  // moved or resized
    Title,
    Ended,   // the modal loop is to end; Result() is set
};

// Told of every change of a dialog, by code or by the user, after it is made. Calls arrive on
// the thread that runs the dialog, possibly nested inside the plug-in's handlers, so an
// observer only records or redraws; it never calls the plug-in or the User... entry points from
// within a call. An observer that throws has the exception swallowed.
class DialogObserver {
public:
    virtual ~DialogObserver() = default;
    virtual void ItemChanged(const ItemModel& item, ItemChange change) = 0;
    virtual void DialogChanged(const DialogModel& dialog, DialogChange change) = 0;
};

class ItemModel {
public:
    ItemModel(DialogModel& dialog, uint32_t serial, int32_t id, ItemKind kind, std::string typeName,
              const ADMRect& bounds);
    ItemModel(const ItemModel&) = delete;
    ItemModel& operator=(const ItemModel&) = delete;

    DialogModel& Dialog() const { return *dialog_; }
    uint32_t Serial() const { return serial_; }
    int32_t Id() const { return id_; }
    ItemKind Kind() const { return kind_; }
    // The type name it was created with, or a template item's window class ("Button", ...).
    const std::string& TypeName() const { return typeName_; }
    const ADMRect& Bounds() const { return bounds_; }
    bool Visible() const { return visible_; }
    bool Enabled() const { return enabled_; }
    // The text set on the item (a label, a button's or check box's caption).
    const std::string& Text() const { return text_; }
    // What the item shows: a spin edit's value with Precision() decimals, else Text().
    std::string ShownText() const;

    // A spin edit's number; a check box's 0 or 1; a popup list's chosen entry's identifier,
    // -1 when none is chosen; 0 for other kinds.
    double Value() const;
    // A spin edit's limits (0 .. 0 until set); the value stays within them.
    double Minimum() const { return minimum_; }
    double Maximum() const { return maximum_; }
    int32_t Precision() const { return precision_; }  // decimals shown, 0 .. 10
    int32_t Units() const { return units_; }          // kADMNoUnits
    // A popup list's entries; null for other kinds.
    const ListModel* List() const { return list_.get(); }

    ADMItemNotifyProc NotifyProc() const { return notify_; }
    ADMItemTrackProc TrackProc() const { return track_; }

    // ---- Changes by code (the ADM suites). Each tells the observers. ----
    void SetText(std::string_view text);
    // Spin edit: kept within the limits. Check box: nonzero is 1. Popup list: chooses the
    // first entry with that identifier (rounded); none has it: nothing changes. NaN: ignored.
    void SetValue(double value);
    // A minimum above the maximum moves the maximum to it, and the other way round; the value
    // is brought within the new limits. NaN: ignored.
    void SetMinimum(double value);
    void SetMaximum(double value);
    void SetPrecision(int32_t places);  // clamped to 0 .. 10
    void SetUnits(int32_t units);
    void Show(bool show);
    void Enable(bool enable);
    void SetBounds(const ADMRect& bounds);
    void SetNotifyProc(ADMItemNotifyProc proc) { notify_ = proc; }
    void SetTrackProc(ADMItemTrackProc proc) { track_ = proc; }

    // A popup list's entries: a new entry at `position` (past the end appends, negative
    // inserts first); null for other kinds. The entry belongs to the list.
    EntryModel* InsertEntry(int32_t position);
    EntryModel* EntryAt(int32_t position);
    // The entry with this serial in this list, or null.
    EntryModel* FindEntry(uint32_t serial);
    void SetEntryText(EntryModel& entry, std::string_view text);
    void SetEntryId(EntryModel& entry, int32_t id);
    // select: the entry becomes the only chosen one; !select: it is no longer chosen.
    void SelectEntry(EntryModel& entry, bool select);

private:
    void Changed(ItemChange change);
    double Clamped(double value) const;

    DialogModel* dialog_;
    uint32_t serial_;
    int32_t id_;
    ItemKind kind_;
    std::string typeName_;
    ADMRect bounds_;
    std::string text_;
    double value_ = 0;  // spin edits and check boxes; a popup list's value is its choice
    double minimum_ = 0, maximum_ = 0;
    int32_t precision_ = 0;
    int32_t units_ = kADMNoUnits;
    bool visible_ = true;
    bool enabled_ = true;
    std::unique_ptr<ListModel> list_;
    ADMItemNotifyProc notify_ = nullptr;
    ADMItemTrackProc track_ = nullptr;
};

// What became of a user's event. Done: it was delivered; the others: it was refused and
// nothing changed.
enum class UserResult : uint8_t {
    Done,
    NoSuchItem,  // the dialog has no item with that identifier
    WrongKind,   // e.g. a value for a push button, a press on a spin edit
    Hidden,      // a user cannot reach an item that is not shown
    Disabled,
    BadValue,    // not a number, a check box value other than 0 or 1, no such entry position
    Ended,       // the dialog has already ended
    NotActive,   // another modal dialog is open over this one
};
// "the dialog has no such item", ...
const char* Describe(UserResult result);

class DialogModel {
public:
    // Made by DialogManager::Open.
    DialogModel(DialogManager& manager, uint32_t serial, std::string name, int32_t resourceId);
    DialogModel(const DialogModel&) = delete;
    DialogModel& operator=(const DialogModel&) = delete;

    DialogManager& Manager() const { return *manager_; }
    uint32_t Serial() const { return serial_; }
    const std::string& Name() const { return name_; }  // as given to Modal
    int32_t ResourceId() const { return resourceId_; }
    const std::string& Title() const { return title_; }
    void SetTitle(std::string title);
    ADMUserData UserData() const { return userData_; }
    void SetUserData(ADMUserData data) { userData_ = data; }

    // Screen position and size; a new dialog has its template's size at its template's place.
    const ADMRect& Bounds() const { return bounds_; }
    void SetBounds(const ADMRect& bounds);
    // Keeps the top-left corner; negative sizes are taken as 0.
    void Resize(int32_t width, int32_t height);

    // Items in creation order (template items first).
    const std::vector<std::unique_ptr<ItemModel>>& Items() const { return items_; }
    ItemModel* Item(int32_t id) const;
    // A new item, visible and enabled; null when the dialog already holds that identifier.
    ItemModel* CreateItem(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds);
    // As CreateItem, but a template may repeat an identifier (its labels are often all -1):
    // every such item is shown, and Item(id) finds the first.
    ItemModel* AddTemplateItem(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds);

    // The modal loop: the first End decides the result; later ones are ignored.
    bool Ended() const { return ended_; }
    int32_t Result() const { return result_; }
    void End(int32_t itemId);

    // ---- What the plug-in asks for (the ADM suites) ----
    // Runs the item's notifier with a notifier of `type`, or the default notification when it
    // has none; returns when the notifier has returned.
    void Notify(ItemModel& item, const char* type);
    // The default reaction: items 1 and 2 end the dialog with their identifier.
    void DefaultNotify(ItemModel& item);

    // ---- The user's events, as a view delivers them ----
    // A spin edit's number (kept within its limits) or a check box's 0 or 1.
    UserResult UserSetValue(int32_t id, double value);
    // The entry at `position` of a popup list becomes the chosen one.
    UserResult UserChooseEntry(int32_t id, int32_t position);
    // A push or picture button is clicked: an item with a track handler has it called for the
    // click (modifiers 0); otherwise its notifier runs.
    UserResult UserPress(int32_t id);
    // As UserPress, with the current event carrying kADMPickModifier and the view point (h, v)
    // of the document's first view, as a click in the document that picks a point does.
    UserResult UserPick(int32_t id, int32_t h, int32_t v);
    // The window's close box: ends the dialog with 2, as Cancel, without notifying.
    UserResult UserClose();
    // The user moved the dialog's window: its top-left corner is now (left, top) on the screen,
    // the size unchanged. A view tells the model before it delivers any other event, so that the
    // plug-in, reading the dialog's bounds as it closes (to keep them in its record), reads where
    // the window is. Observers are told only of a real move.
    UserResult UserMove(int32_t left, int32_t top);

    void AddObserver(DialogObserver* observer);
    void RemoveObserver(DialogObserver* observer);

    // Used by ItemModel.
    void ItemChanged(const ItemModel& item, ItemChange change);

private:
    ItemModel* Add(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds);
    UserResult Reach(int32_t id, ItemModel*& item) const;
    UserResult Click(int32_t id, uint32_t modifiers, int32_t h, int32_t v);
    void DialogChanged(DialogChange change);

    DialogManager* manager_;
    uint32_t serial_;
    std::string name_;
    int32_t resourceId_;
    std::string title_;
    ADMUserData userData_ = nullptr;
    ADMRect bounds_{0, 0, 0, 0};
    std::vector<std::unique_ptr<ItemModel>> items_;
    std::unordered_map<int32_t, ItemModel*> byId_;
    bool ended_ = false;
    int32_t result_ = 0;
    std::vector<DialogObserver*> observers_;
};

}  // namespace easel
