#include "dialogs/HeadlessPresenter.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <nlohmann/json.hpp>
#include <stdexcept>
#include <system_error>

#include "dialogs/DialogModel.h"

namespace easel {
namespace {

std::optional<int32_t> ParseInt(std::string_view text) {
    int32_t value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end) return std::nullopt;
    return value;
}

std::optional<double> ParseNumber(std::string_view text) {
    double value = 0;
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (text.empty() || ec != std::errc() || ptr != end || !std::isfinite(value)) return std::nullopt;
    return value;
}

std::string Quoted(std::string_view text) {
    return nlohmann::json(std::string(text)).dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

int32_t ParseItemId(std::string_view text, const std::string& option) {
    const std::optional<int32_t> id = ParseInt(text);
    if (!id) throw std::invalid_argument(option + ": \"" + std::string(text) + "\" is not an item number");
    return *id;
}

// "item 4 (spin edit)"
std::string Named(const ItemModel& item) {
    return "item " + std::to_string(item.Id()) + " (" + ItemKindWord(item.Kind()) + ")";
}

std::string Refusal(UserResult result, const ItemModel* item, int32_t id) {
    const std::string name = item ? Named(*item) : "item " + std::to_string(id);
    switch (result) {
        case UserResult::NoSuchItem: return "the dialog has no item " + std::to_string(id);
        case UserResult::Hidden: return name + " is not shown";
        case UserResult::Disabled: return name + " is disabled";
        case UserResult::Ended: return "the dialog has already ended";
        case UserResult::NotActive: return "another dialog is open over this one";
        default: return name + ": " + Describe(result);
    }
}

}  // namespace

// ---- Parsing --------------------------------------------------------------------------------

DialogAction ParseSetAction(std::string_view text) {
    DialogAction a;
    a.kind = DialogAction::Kind::Set;
    a.option = "--set " + std::string(text);
    const size_t eq = text.find('=');
    if (eq == std::string_view::npos) throw std::invalid_argument(a.option + ": expected ID=VALUE");
    a.item = ParseItemId(text.substr(0, eq), a.option);
    a.value = std::string(text.substr(eq + 1));
    if (a.value.empty()) throw std::invalid_argument(a.option + ": the value is missing");
    return a;
}

DialogAction ParsePressAction(std::string_view text) {
    DialogAction a;
    a.kind = DialogAction::Kind::Press;
    a.option = "--press " + std::string(text);
    a.item = ParseItemId(text, a.option);
    return a;
}

DialogAction ParsePickAction(std::string_view text) {
    DialogAction a;
    a.kind = DialogAction::Kind::Pick;
    a.option = "--pick " + std::string(text);
    const size_t eq = text.find('=');
    const size_t comma = text.find(',', eq == std::string_view::npos ? 0 : eq);
    if (eq == std::string_view::npos || comma == std::string_view::npos)
        throw std::invalid_argument(a.option + ": expected ID=H,V");
    a.item = ParseItemId(text.substr(0, eq), a.option);
    const std::optional<int32_t> h = ParseInt(text.substr(eq + 1, comma - eq - 1));
    const std::optional<int32_t> v = ParseInt(text.substr(comma + 1));
    if (!h || !v) throw std::invalid_argument(a.option + ": H and V must be whole numbers (a view point in pixels)");
    a.h = *h;
    a.v = *v;
    return a;
}

DialogAction ParseListItemsAction(std::string_view format) {
    DialogAction a;
    a.kind = DialogAction::Kind::ListItems;
    a.option = format.empty() ? std::string("--list-items") : "--list-items=" + std::string(format);
    if (format == "json")
        a.json = true;
    else if (!format.empty() && format != "text")
        throw std::invalid_argument(a.option + ": the format is text or json");
    return a;
}

// ---- Listing --------------------------------------------------------------------------------

std::string NumberText(double value) {
    char buffer[64];
    if (std::isnan(value)) return "nan";
    if (value == std::trunc(value) && std::fabs(value) < 1e15) {
        const auto r = std::to_chars(buffer, buffer + sizeof buffer, static_cast<int64_t>(value));
        return std::string(buffer, r.ptr);
    }
    const float single = static_cast<float>(value);
    const auto r = static_cast<double>(single) == value ? std::to_chars(buffer, buffer + sizeof buffer, single)
                                                        : std::to_chars(buffer, buffer + sizeof buffer, value);
    return std::string(buffer, r.ptr);
}

std::string ListItemsText(const DialogModel& dialog) {
    std::string out;
    for (const auto& item : dialog.Items()) {
        out += std::to_string(item->Id()) + "  " + ItemKindWord(item->Kind()) + "  " + Quoted(item->ShownText());
        const ItemKind kind = item->Kind();
        if (kind == ItemKind::SpinEdit || kind == ItemKind::CheckBox || kind == ItemKind::PopupList)
            out += "  value " + NumberText(item->Value());
        if (kind == ItemKind::SpinEdit) {
            out += "  range " + NumberText(item->Minimum()) + " .. " + NumberText(item->Maximum());
            out += "  precision " + std::to_string(item->Precision());
        }
        out += item->Enabled() ? "  enabled" : "  disabled";
        out += item->Visible() ? "  visible" : "  hidden";
        if (const ListModel* list = item->List()) {
            const int32_t chosen = list->ChosenPosition();
            out += "  chosen " + (chosen < 0 ? std::string("none") : std::to_string(chosen));
            out += '\n';
            for (size_t i = 0; i < list->Size(); ++i) {
                const EntryModel& e = *list->At(i);
                out += "    " + std::to_string(i) + ": " + Quoted(e.text) + " (id " + std::to_string(e.id) + ")";
                if (static_cast<int32_t>(i) == chosen) out += "  chosen";
                out += '\n';
            }
        } else {
            out += '\n';
        }
    }
    return out;
}

std::string ListItemsJson(const DialogModel& dialog) {
    // Written by hand so that the keys keep the documented order and numbers their short form.
    std::string out = "[";
    bool first = true;
    for (const auto& item : dialog.Items()) {
        const ItemKind kind = item->Kind();
        const bool spin = kind == ItemKind::SpinEdit;
        const bool valued = spin || kind == ItemKind::CheckBox || kind == ItemKind::PopupList;
        out += first ? "\n  " : ",\n  ";
        first = false;
        out += "{\"id\": " + std::to_string(item->Id());
        out += ", \"kind\": " + Quoted(ItemKindWord(kind));
        out += ", \"text\": " + Quoted(item->ShownText());
        out += ", \"value\": " + (valued ? NumberText(item->Value()) : std::string("null"));
        out += ", \"min\": " + (spin ? NumberText(item->Minimum()) : std::string("null"));
        out += ", \"max\": " + (spin ? NumberText(item->Maximum()) : std::string("null"));
        out += ", \"precision\": " + (spin ? std::to_string(item->Precision()) : std::string("null"));
        out += std::string(", \"enabled\": ") + (item->Enabled() ? "true" : "false");
        out += std::string(", \"visible\": ") + (item->Visible() ? "true" : "false");
        if (const ListModel* list = item->List()) {
            out += ", \"entries\": [";
            for (size_t i = 0; i < list->Size(); ++i) {
                const EntryModel& e = *list->At(i);
                out += (i ? ", " : "") + std::string("{\"id\": ") + std::to_string(e.id) + ", \"text\": " + Quoted(e.text) + "}";
            }
            const int32_t chosen = list->ChosenPosition();
            out += "], \"chosen\": " + (chosen < 0 ? std::string("null") : std::to_string(chosen)) + "}";
        } else {
            out += ", \"entries\": null, \"chosen\": null}";
        }
    }
    out += first ? "]\n" : "\n]\n";
    return out;
}

// ---- The presenter --------------------------------------------------------------------------

void HeadlessPresenter::SetScript(std::vector<DialogAction> actions) {
    script_ = std::move(actions);
    scriptPending_ = true;
    error_.reset();
}

bool HeadlessPresenter::Fail(const DialogAction& action, const std::string& why) {
    error_ = action.option + ": " + why;
    return false;
}

bool HeadlessPresenter::Play(DialogModel& dialog, const DialogAction& action) {
    if (action.kind == DialogAction::Kind::ListItems) {
        const std::string listing = action.json ? ListItemsJson(dialog) : ListItemsText(dialog);
        std::fputs(listing.c_str(), listing_);
        std::fflush(listing_);
        return true;
    }
    const ItemModel* item = dialog.Item(action.item);
    UserResult result = UserResult::NoSuchItem;
    if (dialog.Ended()) {
        result = UserResult::Ended;
    } else if (!item) {
        result = UserResult::NoSuchItem;
    } else if (action.kind == DialogAction::Kind::Set) {
        switch (item->Kind()) {
            case ItemKind::SpinEdit: {
                const std::optional<double> number = ParseNumber(action.value);
                if (!number) return Fail(action, Named(*item) + " takes a number, not " + Quoted(action.value));
                const bool outside = *number < item->Minimum() || *number > item->Maximum();
                const std::string range = NumberText(item->Minimum()) + " .. " + NumberText(item->Maximum());
                result = dialog.UserSetValue(action.item, *number);
                if (result == UserResult::Done && outside)
                    std::fprintf(log_, "easel: %s: %s keeps its value within %s\n", action.option.c_str(),
                                 Named(*item).c_str(), range.c_str());
                break;
            }
            case ItemKind::CheckBox:
                if (action.value != "0" && action.value != "1")
                    return Fail(action, Named(*item) + " takes 0 or 1, not " + Quoted(action.value));
                result = dialog.UserSetValue(action.item, action.value == "1" ? 1 : 0);
                break;
            case ItemKind::PopupList: {
                const ListModel& list = *item->List();
                int32_t position = -1;
                if (const std::optional<int32_t> n = ParseInt(action.value);
                    n && *n >= 0 && static_cast<size_t>(*n) < list.Size())
                    position = *n;
                for (size_t i = 0; position < 0 && i < list.Size(); ++i)
                    if (list.At(i)->text == action.value) position = static_cast<int32_t>(i);
                if (position < 0)
                    return Fail(action, Named(*item) + " has no entry at position " + Quoted(action.value) +
                                            " nor one with that text (" + std::to_string(list.Size()) + " entries)");
                result = dialog.UserChooseEntry(action.item, position);
                break;
            }
            default:
                return Fail(action, Named(*item) + " has no value to set; --set takes a spin edit, a check box "
                                                   "or a popup list");
        }
    } else if (action.kind == DialogAction::Kind::Press) {
        if (item->Kind() != ItemKind::PushButton && item->Kind() != ItemKind::PictureButton)
            return Fail(action, Named(*item) + " cannot be pressed; --press takes a push or picture button");
        result = dialog.UserPress(action.item);
    } else {
        if (item->Kind() != ItemKind::PictureButton)
            return Fail(action, Named(*item) + " does not pick; --pick takes a picture button");
        result = dialog.UserPick(action.item, action.h, action.v);
    }
    if (result != UserResult::Done) return Fail(action, Refusal(result, item, action.item));
    return true;
}

int32_t HeadlessPresenter::RunModal(DialogModel& dialog) {
    std::fprintf(log_, "dialog: %s\n", dialog.Title().c_str());
    // The template's items are the dialog's message; items made in code are for --list-items.
    for (const auto& item : dialog.Items()) {
        if (item->TypeName().rfind("ADM ", 0) == 0) continue;
        if (!item->Text().empty()) std::fprintf(log_, "  %s\n", item->Text().c_str());
    }
    if (scriptPending_) {
        scriptPending_ = false;
        const std::vector<DialogAction> script = std::move(script_);
        script_.clear();
        for (const DialogAction& action : script)
            if (!Play(dialog, action)) {
                dialog.End(2);
                return dialog.Result();
            }
    }
    if (!dialog.Ended()) {
        // Enter presses the default item, even one the plug-in disabled: a headless dialog must end.
        if (ItemModel* ok = dialog.Item(1)) dialog.Notify(*ok, kADMUserChangedNotifier);
        dialog.End(1);
    }
    return dialog.Result();
}

}  // namespace easel
