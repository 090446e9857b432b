#include "dialogs/DialogModel.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "dialogs/DialogManager.h"

namespace easel {
namespace {

struct KindName {
    ItemKind kind;
    const char* typeName;
    const char* word;
};

constexpr KindName kKinds[] = {
    {ItemKind::SpinEdit, kADMSpinEditType, "spin edit"},
    {ItemKind::TextStatic, kADMTextStaticType, "static text"},
    {ItemKind::PopupList, kADMPopupListType, "popup list"},
    {ItemKind::CheckBox, kADMTextCheckBoxType, "check box"},
    {ItemKind::PushButton, kADMTextPushButtonType, "push button"},
    {ItemKind::PictureButton, kADMPicturePushButtonType, "picture button"},
};

constexpr int32_t kCancelItem = 2;
constexpr int32_t kMaxPrecision = 10;

}  // namespace

const char* ItemTypeName(ItemKind kind) { return kKinds[static_cast<size_t>(kind)].typeName; }
const char* ItemKindWord(ItemKind kind) { return kKinds[static_cast<size_t>(kind)].word; }

std::optional<ItemKind> ItemKindNamed(std::string_view name) {
    for (const KindName& k : kKinds)
        if (name == k.typeName) return k.kind;
    return std::nullopt;
}

const char* Describe(UserResult result) {
    switch (result) {
        case UserResult::Done: return "done";
        case UserResult::NoSuchItem: return "the dialog has no such item";
        case UserResult::WrongKind: return "the item does not take this action";
        case UserResult::Hidden: return "the item is not shown";
        case UserResult::Disabled: return "the item is disabled";
        case UserResult::BadValue: return "the item does not take this value";
        case UserResult::Ended: return "the dialog has already ended";
        case UserResult::NotActive: return "another dialog is open over this one";
    }
    return "unknown";
}

// ---- ListModel ------------------------------------------------------------------------------

int32_t ListModel::PositionOf(const EntryModel& entry) const {
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i].get() == &entry) return static_cast<int32_t>(i);
    return -1;
}

int32_t ListModel::ChosenPosition() const {
    if (!chosen_) return -1;
    for (size_t i = 0; i < entries_.size(); ++i)
        if (entries_[i]->serial == chosen_) return static_cast<int32_t>(i);
    return -1;
}

const EntryModel* ListModel::Chosen() const {
    const int32_t at = ChosenPosition();
    return at < 0 ? nullptr : entries_[static_cast<size_t>(at)].get();
}

// ---- ItemModel ------------------------------------------------------------------------------

ItemModel::ItemModel(DialogModel& dialog, uint32_t serial, int32_t id, ItemKind kind, std::string typeName,
                     const ADMRect& bounds)
    : dialog_(&dialog), serial_(serial), id_(id), kind_(kind), typeName_(std::move(typeName)), bounds_(bounds) {
    if (kind == ItemKind::PopupList) list_ = std::make_unique<ListModel>();
}

std::string ItemModel::ShownText() const {
    if (kind_ != ItemKind::SpinEdit) return text_;
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(precision_), value_);
    std::string shown = buffer;
    // A value that rounds to zero shows "0", never "-0".
    if (shown.front() == '-' && shown.find_first_not_of("-0.") == std::string::npos) shown.erase(0, 1);
    return shown;
}

double ItemModel::Value() const {
    switch (kind_) {
        case ItemKind::SpinEdit:
        case ItemKind::CheckBox: return value_;
        case ItemKind::PopupList: {
            const EntryModel* chosen = list_->Chosen();
            return chosen ? chosen->id : -1;
        }
        default: return 0;
    }
}

double ItemModel::Clamped(double value) const {
    return std::clamp(value, minimum_, maximum_);
}

void ItemModel::Changed(ItemChange change) { dialog_->ItemChanged(*this, change); }

void ItemModel::SetText(std::string_view text) {
    if (text_ == text) return;
    text_.assign(text);
    Changed(ItemChange::Text);
}

void ItemModel::SetValue(double value) {
    if (std::isnan(value)) return;
    switch (kind_) {
        case ItemKind::SpinEdit: value = Clamped(value); break;
        case ItemKind::CheckBox: value = value != 0 ? 1 : 0; break;
        case ItemKind::PopupList: {
            const double wanted = std::round(value);
            for (const auto& e : list_->entries_)
                if (e->id == wanted) {
                    SelectEntry(*e, true);
                    return;
                }
            return;
        }
        default: return;  // buttons and labels have no value
    }
    if (value == value_ && std::signbit(value) == std::signbit(value_)) return;
    value_ = value;
    Changed(ItemChange::Value);
}

void ItemModel::SetMinimum(double value) {
    if (std::isnan(value)) return;
    minimum_ = value;
    if (maximum_ < minimum_) maximum_ = minimum_;
    Changed(ItemChange::Limits);
    if (kind_ == ItemKind::SpinEdit) SetValue(value_);
}

void ItemModel::SetMaximum(double value) {
    if (std::isnan(value)) return;
    maximum_ = value;
    if (minimum_ > maximum_) minimum_ = maximum_;
    Changed(ItemChange::Limits);
    if (kind_ == ItemKind::SpinEdit) SetValue(value_);
}

void ItemModel::SetPrecision(int32_t places) {
    precision_ = std::clamp(places, 0, kMaxPrecision);
    Changed(ItemChange::Limits);
}

void ItemModel::SetUnits(int32_t units) {
    units_ = units;
    Changed(ItemChange::Limits);
}

void ItemModel::Show(bool show) {
    if (visible_ == show) return;
    visible_ = show;
    Changed(ItemChange::Shown);
}

void ItemModel::Enable(bool enable) {
    if (enabled_ == enable) return;
    enabled_ = enable;
    Changed(ItemChange::Enabled);
}

void ItemModel::SetBounds(const ADMRect& bounds) {
    bounds_ = bounds;
    Changed(ItemChange::Bounds);
}

EntryModel* ItemModel::InsertEntry(int32_t position) {
    if (!list_) return nullptr;
    auto& entries = list_->entries_;
    const size_t at = position < 0 ? 0 : std::min(static_cast<size_t>(position), entries.size());
    auto entry = std::make_unique<EntryModel>();
    entry->serial = dialog_->Manager().NextSerial();
    EntryModel* made = entry.get();
    entries.insert(entries.begin() + static_cast<std::ptrdiff_t>(at), std::move(entry));
    dialog_->Manager().Register(*this, *made);
    Changed(ItemChange::Entries);
    return made;
}

EntryModel* ItemModel::EntryAt(int32_t position) {
    if (!list_ || position < 0 || static_cast<size_t>(position) >= list_->entries_.size()) return nullptr;
    return list_->entries_[static_cast<size_t>(position)].get();
}

EntryModel* ItemModel::FindEntry(uint32_t serial) {
    if (!list_) return nullptr;
    for (auto& e : list_->entries_)
        if (e->serial == serial) return e.get();
    return nullptr;
}

void ItemModel::SetEntryText(EntryModel& entry, std::string_view text) {
    entry.text.assign(text);
    Changed(ItemChange::Entries);
}

void ItemModel::SetEntryId(EntryModel& entry, int32_t id) {
    entry.id = id;
    Changed(ItemChange::Entries);
    if (list_ && list_->chosen_ == entry.serial) Changed(ItemChange::Value);
}

void ItemModel::SelectEntry(EntryModel& entry, bool select) {
    if (!list_) return;
    const uint32_t chosen = select ? entry.serial : (list_->chosen_ == entry.serial ? 0 : list_->chosen_);
    if (chosen == list_->chosen_) return;
    list_->chosen_ = chosen;
    Changed(ItemChange::Value);
}

// ---- DialogModel ----------------------------------------------------------------------------

DialogModel::DialogModel(DialogManager& manager, uint32_t serial, std::string name, int32_t resourceId)
    : manager_(&manager), serial_(serial), name_(std::move(name)), resourceId_(resourceId) {}

void DialogModel::SetTitle(std::string title) {
    title_ = std::move(title);
    DialogChanged(DialogChange::Title);
}

void DialogModel::SetBounds(const ADMRect& bounds) {
    bounds_ = bounds;
    DialogChanged(DialogChange::Bounds);
}

void DialogModel::Resize(int32_t width, int32_t height) {
    const int64_t right = int64_t{bounds_.left} + std::max(width, 0);
    const int64_t bottom = int64_t{bounds_.top} + std::max(height, 0);
    bounds_.right = static_cast<int32_t>(std::min<int64_t>(right, INT32_MAX));
    bounds_.bottom = static_cast<int32_t>(std::min<int64_t>(bottom, INT32_MAX));
    DialogChanged(DialogChange::Bounds);
}

ItemModel* DialogModel::Item(int32_t id) const {
    const auto found = byId_.find(id);
    return found == byId_.end() ? nullptr : found->second;
}

ItemModel* DialogModel::CreateItem(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds) {
    if (byId_.count(id)) return nullptr;
    return Add(id, kind, std::move(typeName), bounds);
}

ItemModel* DialogModel::AddTemplateItem(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds) {
    return Add(id, kind, std::move(typeName), bounds);
}

ItemModel* DialogModel::Add(int32_t id, ItemKind kind, std::string typeName, const ADMRect& bounds) {
    byId_.reserve(byId_.size() + 1);
    items_.reserve(items_.size() + 1);
    auto item = std::make_unique<ItemModel>(*this, manager_->NextSerial(), id, kind, std::move(typeName), bounds);
    ItemModel* made = item.get();
    manager_->Register(*made);
    items_.push_back(std::move(item));
    byId_.emplace(id, made);
    ItemChanged(*made, ItemChange::Created);
    return made;
}

void DialogModel::End(int32_t itemId) {
    if (ended_) return;
    ended_ = true;
    result_ = itemId;
    DialogChanged(DialogChange::Ended);
}

void DialogModel::Notify(ItemModel& item, const char* type) {
    if (item.NotifyProc()) {
        const uint32_t serial = manager_->NextSerial();
        (void)type;  // the plug-in cannot ask a notifier for its type: Easel sends only user changes
        item.NotifyProc()(manager_->Ref(item), manager_->NotifierRef(serial));
    } else {
        DefaultNotify(item);
    }
}

void DialogModel::DefaultNotify(ItemModel& item) {
    if (item.Id() == 1 || item.Id() == kCancelItem) End(item.Id());
}

UserResult DialogModel::Reach(int32_t id, ItemModel*& item) const {
    item = nullptr;
    if (ended_) return UserResult::Ended;
    if (manager_->Innermost() != this) return UserResult::NotActive;
    item = Item(id);
    if (!item) return UserResult::NoSuchItem;
    if (!item->Visible()) return UserResult::Hidden;
    if (!item->Enabled()) return UserResult::Disabled;
    return UserResult::Done;
}

UserResult DialogModel::UserSetValue(int32_t id, double value) {
    ItemModel* item;
    if (const UserResult r = Reach(id, item); r != UserResult::Done) return r;
    if (item->Kind() == ItemKind::CheckBox) {
        if (value != 0 && value != 1) return UserResult::BadValue;
    } else if (item->Kind() != ItemKind::SpinEdit) {
        return UserResult::WrongKind;
    }
    if (!std::isfinite(value)) return UserResult::BadValue;
    DialogManager::EventScope event(*manager_, 0, 0, 0);
    item->SetValue(value);
    Notify(*item, kADMUserChangedNotifier);
    return UserResult::Done;
}

UserResult DialogModel::UserChooseEntry(int32_t id, int32_t position) {
    ItemModel* item;
    if (const UserResult r = Reach(id, item); r != UserResult::Done) return r;
    if (item->Kind() != ItemKind::PopupList) return UserResult::WrongKind;
    EntryModel* entry = item->EntryAt(position);
    if (!entry) return UserResult::BadValue;
    DialogManager::EventScope event(*manager_, 0, 0, 0);
    item->SelectEntry(*entry, true);
    Notify(*item, kADMUserChangedNotifier);
    return UserResult::Done;
}

UserResult DialogModel::Click(int32_t id, uint32_t modifiers, int32_t h, int32_t v) {
    ItemModel* item;
    if (const UserResult r = Reach(id, item); r != UserResult::Done) return r;
    if (item->Kind() != ItemKind::PushButton && item->Kind() != ItemKind::PictureButton) return UserResult::WrongKind;
    DialogManager::EventScope event(*manager_, modifiers, h, v);
    if (item->TrackProc())
        item->TrackProc()(manager_->Ref(*item), manager_->TrackerRef(event.Event()));
    else
        Notify(*item, kADMUserChangedNotifier);
    return UserResult::Done;
}

UserResult DialogModel::UserPress(int32_t id) { return Click(id, 0, 0, 0); }

UserResult DialogModel::UserPick(int32_t id, int32_t h, int32_t v) { return Click(id, kADMPickModifier, h, v); }

UserResult DialogModel::UserClose() {
    if (ended_) return UserResult::Ended;
    if (manager_->Innermost() != this) return UserResult::NotActive;
    End(kCancelItem);
    return UserResult::Done;
}

UserResult DialogModel::UserMove(int32_t left, int32_t top) {
    if (ended_) return UserResult::Ended;
    if (left == bounds_.left && top == bounds_.top) return UserResult::Done;
    const int64_t width = int64_t{bounds_.right} - bounds_.left, height = int64_t{bounds_.bottom} - bounds_.top;
    const auto clamped = [](int64_t v) {
        return static_cast<int32_t>(std::clamp<int64_t>(v, INT32_MIN, INT32_MAX));
    };
    bounds_ = ADMRect{left, top, clamped(left + width), clamped(top + height)};
    DialogChanged(DialogChange::Bounds);
    return UserResult::Done;
}

void DialogModel::AddObserver(DialogObserver* observer) {
    if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
        observers_.push_back(observer);
}

void DialogModel::RemoveObserver(DialogObserver* observer) { std::erase(observers_, observer); }

void DialogModel::ItemChanged(const ItemModel& item, ItemChange change) {
    if (observers_.empty()) return;
    // Observers are views: their failures must not reach the plug-in, which called a suite.
    try {
        // A copy, so that an observer may remove itself while being told.
        const std::vector<DialogObserver*> observers = observers_;
        for (DialogObserver* o : observers) {
            try {
                o->ItemChanged(item, change);
            } catch (...) {
            }
        }
    } catch (...) {
    }
}

void DialogModel::DialogChanged(DialogChange change) {
    if (observers_.empty()) return;
    try {
        const std::vector<DialogObserver*> observers = observers_;
        for (DialogObserver* o : observers) {
            try {
                o->DialogChanged(*this, change);
            } catch (...) {
            }
        }
    } catch (...) {
    }
}

}  // namespace easel
