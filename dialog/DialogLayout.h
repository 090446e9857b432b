// DialogLayout.h: the settings dialog's items as data.
//
// Every item of the dialog is made in code when it opens, from the table below: identifier,
// kind, rectangle, text, numeric range and decimals, the record word it edits, its handler and
// its tab. The table is in creation order. Nothing is created, moved or resized afterwards;
// the handlers only show, hide, enable, disable and set values and texts.
//
// Geometry is in the dialog manager's units (pixels), left, top, right, bottom, relative to
// the dialog's top-left corner. Record words are numbered as in StarSettings.h.
#pragma once

#include <cstdint>
#include <span>

#include "ADMTypes.h"
#include "settings/StarSettings.h"

namespace corvanta {

// The dialog's size, set by its init handler whatever the template says.
inline constexpr int32_t kDialogWidth = 430;
inline constexpr int32_t kDialogHeight = 375;

// Identifiers the handlers address directly.
enum DialogItemId : int32_t {
    kOkItem = 1,
    kCancelItem = 2,
    kPreviewItem = 3,
    kStarGroupsItem = 4,
    kStarCoreRadiusItem = 5,
    kShellSlantItem = 8,
    kStarShellRadiusItem = 9,
    kSetCorePointsItem = 12,
    kSetCoreRadiusItem = 13,
    kSetShellPointsItem = 14,
    kSetShellRadiusItem = 15,
    kDistortRadiusItem = 20,
    kUserCentreHItem = 24,
    kClosedItem = 50,
    kSetCoreCaption = 109,
    kSetShellCaption = 111,
    kStarSetList = 151,
    kPresetList = 152,
    kShuffleButton = 180,
    kTumbleButton = 181,
    kFirstTabButton = 160,  // 160 .. 164, tabs 1 .. 5
    kStarGroupsPick = 190,
    kCoreRadiusPick = 191,
    kShellRadiusPick = 192,
    kShellSlantPick = 193,
};

enum class ItemKind : uint8_t {
    kSpinEdit,
    kStaticText,
    kPopupList,
    kCheckBox,
    kPushButton,
    kPictureButton,
};

// The dialog manager's item type name for a kind (ADMTypes.h).
const char* ItemTypeName(ItemKind kind);

// What an item calls when the user changes or presses it. kPickTrack is a track handler,
// the others are notifiers; kNone keeps the dialog manager's default behaviour.
enum class Handler : uint8_t {
    kNone,
    kValueChanged,   // OnValueChanged
    kStarSetChosen,  // OnStarSetChosen
    kTabButton,      // OnTabButton
    kConfirm,        // OnConfirm
    kPickTrack,      // TrackPickButton
    kPreset,         // ApplyPreset
    kTumble,         // Tumble
};

// How an item's value maps to its record word.
enum class ValueType : uint8_t {
    kNone,     // no value (texts, buttons)
    kInteger,  // int word, integer spin edit
    kReal,     // float word, real spin edit shown with `decimals` places
    kFlag,     // flag word, check box: 0 or 1
    kChoice,   // int word, popup list: the chosen entry's identifier (= its position)
};

// Tabs, as `activeTab` numbers them; items of tab kAlwaysShown belong to no tab.
enum Tab : int32_t {
    kAlwaysShown = 0,
    kBasicTab = 1,
    kPointsTab = 2,
    kDistortTab = 3,
    kCreateTab = 4,
    kSettingsTab = 5,
};
inline constexpr int kTabCount = 5;

struct ItemLayout {
    int32_t id;
    ItemKind kind;
    ADMRect bounds;
    const char* text;  // the item's own text at creation (texts, check boxes, push buttons); null for none
    int32_t caption;   // the item that labels it from the left (a static text, or list 155 for 34); 0 for none
    float minimum;     // spin edits: the range the item keeps its value in
    float maximum;
    int32_t decimals;  // real spin edits: places shown
    ValueType value;
    int32_t word;      // the bound record word; for the star-set items, the array's first word
    bool perSet;       // the word is word + starSetIndex (items 12 to 15)
    Handler handler;
    int32_t tab;       // Tab
};

// All 114 items, in creation order.
std::span<const ItemLayout> DialogItems();

// The item's layout, or null for an identifier the dialog does not hold.
const ItemLayout* FindItemLayout(int32_t id);

// The items a tab shows, in the order the tab handler shows them (1 <= tab <= 5).
std::span<const int32_t> TabItems(int32_t tab);

// A popup list: its identifier and its entry texts by position (the entry identifiers are the
// positions too; the bound word is the item's).
struct ListLayout {
    int32_t id;
    std::span<const char* const> entries;
};

// The six lists, in the order they are filled.
std::span<const ListLayout> DialogLists();

// The items OnValueChanged reads back, in reading order. The star-set list comes before the
// four star-set spin edits, since they are stored at the set it names.
std::span<const int32_t> ReadBackOrder();

// Items enabled only while a condition on the record holds, disabled otherwise.
struct DependentRule {
    bool (*holds)(const StarSettings& s);
    std::span<const int32_t> items;
};
std::span<const DependentRule> DependentRules();

// The items RefreshActiveTab notifies for a stored `activeTab`: the tab's first value item,
// then its button. A value outside 1 .. 5 gives the Basic tab's.
struct TabRefresh {
    int32_t tab;
    int32_t firstValueItem;
    int32_t button;
};
TabRefresh TabRefreshFor(int32_t activeTab);

// The tab a tab button selects (160 .. 164 give 1 .. 5); 0 for any other item.
int32_t TabOfButton(int32_t itemId);

// The captions of the star-set spin edits for set index 0 .. 15: "Star core points/radius N"
// and "Star shell points/radius N", N = index + 1. Writes into text (at least 32 bytes);
// returns false, writing nothing, for an index outside 0 .. 15.
inline constexpr int kSetCaptionSize = 32;
bool SetCoreCaption(int32_t setIndex, char (&text)[kSetCaptionSize]);
bool SetShellCaption(int32_t setIndex, char (&text)[kSetCaptionSize]);

// Typed access to a record word by number (0 <= word < kStarSettingsWords).
int32_t IntWord(const StarSettings& s, int32_t word);
float FloatWord(const StarSettings& s, int32_t word);
void SetIntWord(StarSettings& s, int32_t word, int32_t value);
void SetFloatWord(StarSettings& s, int32_t word, float value);

}  // namespace corvanta
