// HeadlessPresenter.h: the dialog presenter without a window, and the scripted user actions
// it plays (easel's --set, --press, --pick and --list-items).
//
// Every dialog is written to the log ("dialog: TITLE", then each item's text that is not
// empty, indented). The first dialog that runs after SetScript plays the script: each action
// goes to the model as the user's event (DialogModel's User... entry points), in order. An
// action the dialog refuses (no such item, the wrong kind of item, a value it does not take, an
// item hidden or disabled, the dialog already ended) stops the script: the dialog ends with 2,
// as the window's close box ends it, and ScriptError() names the action and the reason.
// Afterwards, and in every other dialog, the dialog ends as if the user pressed Enter: its
// item 1 is notified, and the dialog ends with 1 unless that ended it otherwise.
#pragma once

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/DialogPresenter.h"

namespace easel {

class DialogModel;

struct DialogAction {
    enum class Kind : uint8_t { Set, Press, Pick, ListItems };
    Kind kind = Kind::Press;
    std::string option;  // as the user wrote it, for messages: "--set 4=12"
    int32_t item = 0;
    std::string value;   // Set: the value as written
    int32_t h = 0, v = 0;  // Pick: the view point
    bool json = false;     // ListItems: JSON instead of text
};

// Parsing what follows the option: "ID=VALUE", "ID", "ID=H,V", "" / "text" / "json". Throws
// std::invalid_argument with a message naming the option and what is wrong with it.
DialogAction ParseSetAction(std::string_view text);
DialogAction ParsePressAction(std::string_view text);
DialogAction ParsePickAction(std::string_view text);
DialogAction ParseListItemsAction(std::string_view format);

// Every item of the dialog, in creation order: identifier, kind, text, value, range and
// precision (spin edits), enabled, visible, and a popup list's entries and choice. As text,
// one line per item (entries indented below their list); as JSON, an array of objects with the
// keys id, kind, text, value, min, max, precision, enabled, visible, entries, chosen (null
// where an item has no such thing; entries as {"id", "text"}, chosen as a position).
std::string ListItemsText(const DialogModel& dialog);
std::string ListItemsJson(const DialogModel& dialog);

// A number as the listing writes it: an integer without decimals, else the shortest text that
// reads back to the same value (as a 32-bit float where the value is one).
std::string NumberText(double value);

class HeadlessPresenter : public DialogPresenter {
public:
    // listing: where --list-items writes (stdout); log: dialogs and notes (stderr).
    explicit HeadlessPresenter(std::FILE* listing = stdout, std::FILE* log = stderr)
        : listing_(listing), log_(log) {}

    // The actions for the next dialog that runs.
    void SetScript(std::vector<DialogAction> actions);
    // Whether a script was given and a dialog has taken it.
    bool ScriptPending() const { return scriptPending_; }
    // Why the script stopped, naming the action; empty when it ran to its end.
    const std::optional<std::string>& ScriptError() const { return error_; }

    int32_t RunModal(DialogModel& dialog) override;

private:
    // Plays one action; false (and error_ set) when the dialog refused it.
    bool Play(DialogModel& dialog, const DialogAction& action);
    bool Fail(const DialogAction& action, const std::string& why);

    std::FILE* listing_;
    std::FILE* log_;
    std::vector<DialogAction> script_;
    bool scriptPending_ = false;
    std::optional<std::string> error_;
};

}  // namespace easel
