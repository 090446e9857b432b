#include "dialog/DialogLayout.h"

#include <bit>
#include <cstddef>
#include <cstdio>

#include "dialog/Presets.h"

namespace corvanta {

namespace {

// The record word of a StarSettings field, by name.
#define WORD_OF(field) static_cast<int32_t>(offsetof(StarSettings, field) / 4)

constexpr ItemLayout Spin(int32_t id, ADMRect r, int32_t caption, float lo, float hi, int32_t decimals,
                          int32_t word, int32_t tab) {
    return {id, ItemKind::kSpinEdit, r, nullptr, caption, lo, hi, decimals, ValueType::kReal, word,
            false, Handler::kValueChanged, tab};
}
constexpr ItemLayout IntSpin(int32_t id, ADMRect r, int32_t caption, float lo, float hi, int32_t word,
                             int32_t tab) {
    return {id, ItemKind::kSpinEdit, r, nullptr, caption, lo, hi, 0, ValueType::kInteger, word,
            false, Handler::kValueChanged, tab};
}
constexpr ItemLayout SetSpin(ItemLayout item) {
    item.perSet = true;
    return item;
}
constexpr ItemLayout Label(int32_t id, ADMRect r, const char* text, int32_t tab) {
    return {id, ItemKind::kStaticText, r, text, 0, 0, 0, 0, ValueType::kNone, 0, false,
            Handler::kNone, tab};
}
constexpr ItemLayout List(int32_t id, ADMRect r, int32_t word, Handler handler, int32_t tab) {
    return {id, ItemKind::kPopupList, r, nullptr, 0, 0, 0, 0, ValueType::kChoice, word, false,
            handler, tab};
}
constexpr ItemLayout Check(int32_t id, ADMRect r, const char* text, int32_t word, int32_t tab) {
    return {id, ItemKind::kCheckBox, r, text, 0, 0, 0, 0, ValueType::kFlag, word, false,
            Handler::kValueChanged, tab};
}
constexpr ItemLayout Push(int32_t id, ADMRect r, const char* text, Handler handler) {
    return {id, ItemKind::kPushButton, r, text, 0, 0, 0, 0, ValueType::kNone, 0, false, handler,
            kAlwaysShown};
}
constexpr ItemLayout Picture(int32_t id, ADMRect r, Handler handler, int32_t tab) {
    return {id, ItemKind::kPictureButton, r, nullptr, 0, 0, 0, 0, ValueType::kNone, 0, false,
            handler, tab};
}

constexpr ItemLayout kItems[] = {
    // Basic: the star's radii and offsets.
    IntSpin(4, {200, 60, 260, 80}, 100, 2, 400, WORD_OF(starGroups), kBasicTab),
    Spin(5, {200, 82, 260, 102}, 101, 0, 5000, 5, WORD_OF(starCoreRadius), kBasicTab),
    Spin(6, {200, 104, 260, 124}, 102, -2000, 2000, 5, WORD_OF(corePointOffsetX), kBasicTab),
    Spin(7, {200, 126, 260, 146}, 102, -2000, 2000, 5, WORD_OF(corePointOffsetY), kBasicTab),
    Spin(8, {200, 168, 260, 188}, 104, -1000, 1000, 5, WORD_OF(shellPointSlant), kBasicTab),
    Spin(9, {200, 190, 260, 210}, 105, 0, 5000, 5, WORD_OF(starShellRadius), kBasicTab),
    Spin(10, {200, 212, 260, 232}, 106, -2000, 2000, 5, WORD_OF(shellPointOffsetX), kBasicTab),
    Spin(11, {200, 234, 260, 254}, 106, -2000, 2000, 5, WORD_OF(shellPointOffsetY), kBasicTab),
    // Points: the star set chosen in list 151, then the alternate patterns.
    SetSpin(IntSpin(12, {200, 100, 260, 120}, 109, 0, 20, WORD_OF(corePointsBySet), kPointsTab)),
    SetSpin(Spin(13, {200, 122, 260, 142}, 109, -500, 500, 5, WORD_OF(coreRadiusBySet), kPointsTab)),
    SetSpin(IntSpin(14, {200, 144, 260, 164}, 111, 0, 20, WORD_OF(shellPointsBySet), kPointsTab)),
    SetSpin(Spin(15, {200, 166, 260, 186}, 111, -500, 500, 5, WORD_OF(shellRadiusBySet), kPointsTab)),
    Spin(16, {200, 208, 260, 228}, 113, -500, 500, 5, WORD_OF(altCorePercentEven), kPointsTab),
    Spin(17, {200, 230, 260, 250}, 113, -500, 500, 5, WORD_OF(altCorePercentOdd), kPointsTab),
    Spin(18, {200, 252, 260, 272}, 114, -500, 500, 5, WORD_OF(altShellPercentEven), kPointsTab),
    Spin(19, {200, 274, 260, 294}, 114, -500, 500, 5, WORD_OF(altShellPercentOdd), kPointsTab),
    // Distort.
    Spin(20, {200, 100, 260, 120}, 116, -4000, 4000, 5, WORD_OF(distortRadius), kDistortTab),
    Spin(21, {200, 122, 260, 142}, 117, -600, 600, 5, WORD_OF(distortFieldPercent), kDistortTab),
    Spin(22, {200, 144, 260, 164}, 118, -200, 200, 5, WORD_OF(distortRandom), kDistortTab),
    Spin(23, {200, 166, 260, 186}, 119, -180, 180, 5, WORD_OF(twirlDegrees), kDistortTab),
    Spin(34, {200, 200, 260, 220}, 155, -1000, 1000, 2, WORD_OF(interpolationPercent), kDistortTab),
    // Create.
    Spin(24, {200, 100, 260, 120}, 122, -5000, 5000, 5, WORD_OF(userCentreH), kCreateTab),
    Spin(25, {200, 122, 260, 142}, 122, -5000, 5000, 5, WORD_OF(userCentreV), kCreateTab),
    Spin(26, {200, 144, 260, 164}, 124, -1000, 1000, 5, WORD_OF(groupPercentEven), kCreateTab),
    Spin(27, {200, 166, 260, 186}, 124, -1000, 1000, 5, WORD_OF(groupPercentOdd), kCreateTab),
    Spin(28, {200, 188, 260, 208}, 126, 5, 360, 5, WORD_OF(boundaryLimitDegrees), kCreateTab),
    Spin(29, {200, 210, 260, 230}, 127, -9999, 9999, 5, WORD_OF(maxShell), kCreateTab),
    IntSpin(30, {200, 232, 260, 252}, 128, 1, 300, WORD_OF(starCount), kCreateTab),
    Spin(31, {200, 254, 260, 274}, 130, 0, 400, 2, WORD_OF(sketchWeightTenths), kCreateTab),
    Spin(32, {200, 276, 260, 296}, 131, 0, 200, 2, WORD_OF(sketchShiftAmount), kCreateTab),
    IntSpin(33, {200, 298, 260, 318}, 129, 0, 60, WORD_OF(sketchRepeats), kCreateTab),
    // The tabs' labels; a label between two rows belongs to both.
    Label(100, {10, 60, 190, 80}, "Number of points in star group", kBasicTab),
    Label(101, {10, 82, 190, 102}, "Star core radius (p)", kBasicTab),
    Label(102, {10, 114, 190, 134}, "Star core point offset (p)", kBasicTab),
    Label(104, {10, 168, 190, 188}, "Star shell point slant (o)", kBasicTab),
    Label(105, {10, 190, 190, 210}, "Star shell radius (p)", kBasicTab),
    Label(106, {10, 222, 190, 242}, "Star shell point offset (p)", kBasicTab),
    Label(109, {10, 110, 190, 130}, "Star core points/radius", kPointsTab),
    Label(111, {10, 154, 190, 174}, "Star shell points/radius", kPointsTab),
    Label(113, {10, 218, 190, 238}, "Alternate core pattern", kPointsTab),
    Label(114, {10, 262, 190, 282}, "Alternate shell pattern", kPointsTab),
    Label(116, {10, 100, 190, 120}, "Distortion radius (p)", kDistortTab),
    Label(117, {10, 122, 190, 142}, "Distortion field factor (%)", kDistortTab),
    Label(118, {10, 144, 190, 164}, "Random  distortion (p)", kDistortTab),
    Label(119, {10, 166, 190, 186}, "Point twirl factor (o)", kDistortTab),
    Label(122, {10, 110, 190, 130}, "Star center (initial) (p)", kCreateTab),
    Label(124, {10, 154, 190, 174}, "Star pattern core/shell (%)", kCreateTab),
    Label(126, {10, 188, 190, 208}, "Star boundary limit (o)", kCreateTab),
    Label(127, {10, 210, 190, 230}, "Max shell (p)", kCreateTab),
    Label(128, {10, 232, 190, 252}, "Number of stars generated", kCreateTab),
    Label(130, {10, 254, 190, 274}, "Sketch weight(/10p)", kCreateTab),
    Label(131, {10, 276, 190, 296}, "Sketch shift(p)", kCreateTab),
    Label(129, {10, 298, 190, 318}, "Sketch repeats", kCreateTab),
    // The popup lists.
    List(152, {340, 160, 420, 180}, WORD_OF(presetIndex), Handler::kPreset, kAlwaysShown),
    List(151, {10, 70, 260, 90}, WORD_OF(starSetIndex), Handler::kStarSetChosen, kPointsTab),
    List(150, {10, 70, 260, 90}, WORD_OF(distortionCentreMode), Handler::kValueChanged, kDistortTab),
    List(153, {10, 70, 260, 90}, WORD_OF(starCentreMode), Handler::kValueChanged, kCreateTab),
    List(154, {10, 330, 260, 350}, WORD_OF(sketchColorMode), Handler::kValueChanged, kCreateTab),
    List(155, {10, 200, 190, 220}, WORD_OF(interpolationCentreMode), Handler::kValueChanged, kDistortTab),
    // The right-hand column.
    Push(1, {340, 10, 420, 30}, "OK", Handler::kConfirm),
    Push(2, {340, 40, 420, 60}, "Cancel", Handler::kNone),
    Push(180, {340, 70, 420, 90}, "Shuffle", Handler::kValueChanged),
    Push(181, {340, 100, 420, 120}, "Tumble", Handler::kTumble),
    Check(3, {340, 140, 420, 154}, "Preview", WORD_OF(previewOn), kAlwaysShown),
    // Settings: two columns of switches.
    Check(52, {10, 60, 170, 74}, "Fill color (R)", WORD_OF(randomFillColor), kSettingsTab),
    Check(59, {10, 77, 170, 91}, "Fill swatches (R)", WORD_OF(randomFillSwatches), kSettingsTab),
    Check(57, {10, 94, 170, 108}, "Opacity (R)", WORD_OF(randomOpacity), kSettingsTab),
    Check(66, {10, 111, 170, 125}, "Stroke color (R)", WORD_OF(randomStrokeColor), kSettingsTab),
    Check(65, {10, 128, 170, 142}, "Width (R)", WORD_OF(randomWidth), kSettingsTab),
    Check(61, {10, 145, 170, 159}, "Style (R)", WORD_OF(randomStyle), kSettingsTab),
    Check(53, {10, 162, 170, 176}, "Star settings (R)", WORD_OF(randomStarSettings), kSettingsTab),
    Check(55, {10, 179, 170, 193}, "Structure (R)", WORD_OF(randomStructure), kSettingsTab),
    Check(56, {10, 196, 170, 210}, "Subpoints (R)", WORD_OF(randomSubpoints), kSettingsTab),
    Check(54, {10, 213, 170, 227}, "Star groups (R)", WORD_OF(randomStarGroups), kSettingsTab),
    Check(63, {10, 230, 170, 244}, "Core/Create (R)", WORD_OF(randomCoreCreate), kSettingsTab),
    Check(64, {10, 247, 170, 261}, "Shell/Create (R)", WORD_OF(randomShellCreate), kSettingsTab),
    Check(73, {10, 264, 170, 278}, "Polygon mode", WORD_OF(polygonMode), kSettingsTab),
    Check(74, {10, 281, 170, 295}, "Drop shadow", WORD_OF(dropShadow), kSettingsTab),
    Check(75, {10, 298, 170, 312}, "Shadowangle(R)", WORD_OF(randomShadowAngle), kSettingsTab),
    Check(76, {10, 315, 170, 329}, "Shadowopacity(R)", WORD_OF(randomShadowOpacity), kSettingsTab),
    Check(77, {10, 332, 170, 346}, "Half shadow", WORD_OF(halfShadow), kSettingsTab),
    Check(78, {10, 349, 170, 363}, "Shadowscale(R)", WORD_OF(randomShadowScale), kSettingsTab),
    Check(51, {172, 60, 310, 74}, "New layers", WORD_OF(newLayers), kSettingsTab),
    Check(62, {172, 77, 310, 91}, "Symbolize", WORD_OF(symbolize), kSettingsTab),
    Check(50, {172, 94, 310, 108}, "Closed", WORD_OF(closed), kSettingsTab),
    Check(60, {172, 111, 310, 125}, "Scaling (R)", WORD_OF(randomScaling), kSettingsTab),
    Check(67, {172, 128, 310, 142}, "Edge scaling", WORD_OF(edgeScaling), kSettingsTab),
    Check(69, {172, 145, 310, 159}, "Rotation (R)", WORD_OF(randomRotation), kSettingsTab),
    Check(58, {172, 162, 310, 176}, "Warp (R)", WORD_OF(randomWarp), kSettingsTab),
    Check(70, {172, 179, 310, 193}, "Jitter fill", WORD_OF(jitterFill), kSettingsTab),
    Check(71, {172, 196, 310, 210}, "Jitter stroke", WORD_OF(jitterStroke), kSettingsTab),
    Check(72, {172, 213, 310, 227}, "Jitter width", WORD_OF(jitterWidth), kSettingsTab),
    Check(68, {172, 230, 310, 244}, "Jitter scaling", WORD_OF(jitterScaling), kSettingsTab),
    Check(79, {172, 247, 310, 261}, "Sketch shift(R)", WORD_OF(randomSketchShift), kSettingsTab),
    Check(80, {172, 264, 310, 278}, "Sketch width(R)", WORD_OF(randomSketchWidth), kSettingsTab),
    Check(81, {172, 281, 310, 295}, "Interpolate(R)", WORD_OF(randomInterpolate), kSettingsTab),
    Check(82, {172, 298, 310, 312}, "Innerdistance1(R)", WORD_OF(randomInnerDistance1), kSettingsTab),
    Check(83, {172, 315, 310, 329}, "Innerdistance2(R)", WORD_OF(randomInnerDistance2), kSettingsTab),
    Check(84, {172, 332, 310, 346}, "Outerdistance1(R)", WORD_OF(randomOuterDistance1), kSettingsTab),
    Check(85, {172, 349, 310, 363}, "Outerdistance2(R)", WORD_OF(randomOuterDistance2), kSettingsTab),
    // The tab strip: picture buttons with their captions below them.
    Picture(160, {10, 5, 60, 35}, Handler::kTabButton, kAlwaysShown),
    Picture(161, {70, 5, 120, 35}, Handler::kTabButton, kAlwaysShown),
    Picture(162, {130, 5, 180, 35}, Handler::kTabButton, kAlwaysShown),
    Picture(163, {190, 5, 240, 35}, Handler::kTabButton, kAlwaysShown),
    Picture(164, {250, 5, 300, 35}, Handler::kTabButton, kAlwaysShown),
    Label(165, {15, 40, 65, 55}, "Basic", kAlwaysShown),
    Label(166, {75, 40, 125, 55}, "Points", kAlwaysShown),
    Label(167, {135, 40, 185, 55}, "Distort", kAlwaysShown),
    Label(168, {198, 40, 248, 55}, "Create", kAlwaysShown),
    Label(169, {255, 40, 305, 55}, "Settings", kAlwaysShown),
    // The pick buttons beside spin edits 4, 5, 9 and 8.
    Picture(190, {270, 60, 290, 80}, Handler::kPickTrack, kBasicTab),
    Picture(191, {270, 82, 290, 102}, Handler::kPickTrack, kBasicTab),
    Picture(192, {270, 190, 290, 210}, Handler::kPickTrack, kBasicTab),
    Picture(193, {270, 168, 290, 188}, Handler::kPickTrack, kBasicTab),
};

#undef WORD_OF

constexpr int32_t kBasicItems[] = {4, 5, 6, 7, 8, 9, 10, 11, 100, 101, 102, 104, 105, 106, 190, 191, 192, 193};
constexpr int32_t kPointsItems[] = {12, 109, 13, 14, 111, 15, 151, 16, 17, 18, 19, 113, 114};
constexpr int32_t kDistortItems[] = {150, 20, 21, 22, 23, 116, 117, 118, 119, 34, 155};
constexpr int32_t kCreateItems[] = {153, 24, 25, 26, 27, 28, 29, 30, 122, 124,
                                    126, 127, 128, 154, 32, 31, 33, 131, 130, 129};
constexpr int32_t kSettingsItems[] = {50, 52, 59, 57, 53, 55, 56, 54, 60, 58, 51, 61,
                                      62, 63, 64, 65, 66, 67, 68, 69, 70, 71, 72, 73,
                                      74, 79, 80, 75, 76, 78, 77, 81, 82, 83, 84, 85};
constexpr std::span<const int32_t> kTabItems[kTabCount] = {kBasicItems, kPointsItems, kDistortItems,
                                                           kCreateItems, kSettingsItems};

constexpr const char* kInterpolationEntries[] = {
    " Interpolation 01", " Interpolation 02", " Interpolation 03", " Interpolation 04",
    " Interpolation 05", " Interpolation 06", " Interpolation 07", " Interpolation 08",
    " Interpolation 09", " Interpolation 10",
};
constexpr const char* kStarSetEntries[] = {
    " Set 1 - Points/Radius",  " Set 2 - Points/Radius",  " Set 3 - Points/Radius",
    " Set 4 - Points/Radius",  " Set 5 - Points/Radius",  " Set 6 - Points/Radius",
    " Set 7 - Points/Radius",  " Set 8 - Points/Radius",  " Set 9 - Points/Radius",
    " Set 10 - Points/Radius", " Set 11 - Points/Radius", " Set 12 - Points/Radius",
    " Set 13 - Points/Radius", " Set 14 - Points/Radius", " Set 15 - Points/Radius",
    " Set 16 - Points/Radius",
};
constexpr const char* kDistortionCentreEntries[] = {
    " Star center",          " Document center",           " Star - alternate half",
    " Star - random",        " Random distortion field",   " Anywhere in document",
    " Document Botton < Center", " Document bottom left",   " Next star center",
    " Use first star created - center",
};
constexpr const char* kStarCentreEntries[] = {
    " Place star at user entered center",
    " Place star at center of document",
    " Place star anywhere in document",
    " Bottom left corner",
    " Randomized horizontally (but uses current vertical)",
    " Randomized vertically (but uses current horizontal)",
    " Any document corner",
    " Place star as frame",
};
constexpr const char* kSketchColorEntries[] = {
    " Sketch color options - Use black",
    " Use same color as original path",
    " Use random color",
    " Use random swatch color",
    " Reduced",
    " Random reduced",
    " Random black / color",
    " Use shift (otherwise black)",
    " Use black + random opacity",
    " Use random color + random opacity",
    " Reducing opacity",
    " Use white + random opacity",
};
static_assert(std::size(kStarSetEntries) == kStarSets);

const ListLayout kLists[] = {
    {kPresetList, kPresetNames},
    {155, kInterpolationEntries},
    {kStarSetList, kStarSetEntries},
    {150, kDistortionCentreEntries},
    {153, kStarCentreEntries},
    {154, kSketchColorEntries},
};

constexpr int32_t kReadBack[] = {
    3,                                           // Preview
    151, 150, 153, 154, 155,                     // the lists, the star set first
    4, 5, 6, 7, 8, 9, 10, 11,                    // Basic
    12, 14, 13, 15,                              // the chosen star set
    16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 34, 31, 32, 33,
    52, 59, 57, 66, 65, 61, 53, 55, 56, 54, 63, 64, 73, 74, 75, 76, 77, 78,  // Settings
    51, 62, 50, 60, 67, 69, 58, 70, 71, 72, 68, 79, 80, 81, 82, 83, 84, 85,
};

constexpr int32_t kShadowItems[] = {75, 76, 78, 77};
constexpr int32_t kSketchItems[] = {31, 32, 154, 79, 80};
constexpr int32_t kInterpolationItems[] = {155, 81};
const DependentRule kRules[] = {
    {[](const StarSettings& s) { return IsOn(s.dropShadow); }, kShadowItems},
    {[](const StarSettings& s) { return s.sketchRepeats != 0; }, kSketchItems},
    {[](const StarSettings& s) { return s.interpolationPercent != 0.0f; }, kInterpolationItems},
};

constexpr TabRefresh kRefresh[kTabCount] = {
    {kBasicTab, kStarGroupsItem, 160},
    {kPointsTab, kSetCorePointsItem, 161},
    {kDistortTab, kDistortRadiusItem, 162},
    {kCreateTab, kUserCentreHItem, 163},
    {kSettingsTab, kClosedItem, 164},
};

bool WriteCaption(const char* stem, int32_t setIndex, char (&text)[kSetCaptionSize]) {
    if (setIndex < 0 || setIndex >= kStarSets) return false;
    std::snprintf(text, sizeof text, "%s %d", stem, static_cast<int>(setIndex + 1));
    return true;
}

}  // namespace

const char* ItemTypeName(ItemKind kind) {
    switch (kind) {
        case ItemKind::kSpinEdit: return kADMSpinEditType;
        case ItemKind::kStaticText: return kADMTextStaticType;
        case ItemKind::kPopupList: return kADMPopupListType;
        case ItemKind::kCheckBox: return kADMTextCheckBoxType;
        case ItemKind::kPushButton: return kADMTextPushButtonType;
        case ItemKind::kPictureButton: return kADMPicturePushButtonType;
    }
    return kADMTextStaticType;
}

std::span<const ItemLayout> DialogItems() { return kItems; }

const ItemLayout* FindItemLayout(int32_t id) {
    for (const ItemLayout& item : kItems)
        if (item.id == id) return &item;
    return nullptr;
}

std::span<const int32_t> TabItems(int32_t tab) {
    if (tab < kBasicTab || tab > kSettingsTab) return {};
    return kTabItems[tab - kBasicTab];
}

std::span<const ListLayout> DialogLists() { return kLists; }

std::span<const int32_t> ReadBackOrder() { return kReadBack; }

std::span<const DependentRule> DependentRules() { return kRules; }

TabRefresh TabRefreshFor(int32_t activeTab) {
    if (activeTab < kBasicTab || activeTab > kSettingsTab) return kRefresh[0];
    return kRefresh[activeTab - kBasicTab];
}

int32_t TabOfButton(int32_t itemId) {
    for (const TabRefresh& r : kRefresh)
        if (r.button == itemId) return r.tab;
    return 0;
}

bool SetCoreCaption(int32_t setIndex, char (&text)[kSetCaptionSize]) {
    return WriteCaption("Star core points/radius", setIndex, text);
}

bool SetShellCaption(int32_t setIndex, char (&text)[kSetCaptionSize]) {
    return WriteCaption("Star shell points/radius", setIndex, text);
}

int32_t IntWord(const StarSettings& s, int32_t word) {
    return static_cast<int32_t>(GetSettingsWord(s, word));
}

float FloatWord(const StarSettings& s, int32_t word) {
    return std::bit_cast<float>(GetSettingsWord(s, word));
}

void SetIntWord(StarSettings& s, int32_t word, int32_t value) {
    SetSettingsWord(s, word, static_cast<uint32_t>(value));
}

void SetFloatWord(StarSettings& s, int32_t word, float value) {
    SetSettingsWord(s, word, std::bit_cast<uint32_t>(value));
}

}  // namespace corvanta
