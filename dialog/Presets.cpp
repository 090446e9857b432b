#include "dialog/Presets.h"

#include "dialog/DialogLayout.h"
#include "dialog/StarDialog.h"
#include "frame/SuiteTable.h"

namespace corvanta {

const char* const kPresetNames[kPresetCount] = {
    " Reset",
    " Multi-pointed star",
    " Turning star",
    " Starburst 1",
    " Wobble",
    " Side burst",
    " Basic star",
    " 20 points bright star",
    " Random filled star",
    " Sword star",
    " Thin Points",
    " Spike",
    " Sun",
    " 10 basic stars - random placement",
    " 10 basic stars - random placement/fill",
    " Star on new layer",
    " 20 intense randomised stars",
    " Ungainly star",
    " Sliced star",
    " Half burst",
    " Shea Stadium",
    " Drop shadow",
    " Shell randomized",
    " Scratchy",
    " Displaced",
    " Dark",
    " Color sketch",
    " Interpolate 1",
    " Interpolate 2",
    " Interpolate 3",
};

const char* PresetName(int32_t index) {
    return index >= 0 && index < kPresetCount ? kPresetNames[index] : nullptr;
}

int32_t PresetIndexOrReset(int32_t index) {
    return index >= 0 && index < kPresetCount ? index : kResetPreset;
}

void ResetForPreset(StarSettings& s, int32_t presetIndex, AIRealPoint viewCentre) {
    const int32_t previewOn = s.previewOn;
    const int32_t activeTab = s.activeTab;
    const int32_t dialogBoundsSaved = s.dialogBoundsSaved;
    WriteDefaultSettings(s);
    s.previewOn = previewOn;
    s.activeTab = activeTab;
    s.dialogBoundsSaved = dialogBoundsSaved;
    s.presetIndex = PresetIndexOrReset(presetIndex);
    s.userCentreH = viewCentre.h;
    s.userCentreV = viewCentre.v;
}

namespace {

// Values of the sketch presets " Scratchy" and " Displaced".
void WriteScratchy(StarSettings& s) {
    s.sketchRepeats = 20;
    s.sketchShiftAmount = 30.0f;
    s.sketchWeightTenths = 10.0f;
}

// Values of " 10 basic stars - random placement" and its variant with random fills.
void WriteTenBasicStars(StarSettings& s) {
    s.shellPointsBySet[0] = 1;
    s.starCount = 10;
    s.starCentreMode = 2;  // " Place star anywhere in document"
}

}  // namespace

// Set k of the per-set arrays is position k - 1.
void WritePresetValues(StarSettings& s, int32_t presetIndex) {
    switch (presetIndex) {
    case 1:  // " Multi-pointed star"
        s.starGroups = 40;
        break;
    case 2:  // " Turning star"
        s.starGroups = 40;
        s.shellPointSlant = 40.0f;
        break;
    case 3:  // " Starburst 1"
        s.starCoreRadius = 5.0f;
        break;
    case 4:  // " Wobble"
        s.starCoreRadius = 100.0f;
        s.starShellRadius = 10.0f;
        break;
    case 5:  // " Side burst"
        s.starCoreRadius = 5.0f;
        s.corePointOffsetX = 100.0f;
        break;
    case 6:  // " Basic star"
        s.shellPointsBySet[0] = 1;
        break;
    case 7:  // " 20 points bright star"
        s.shellPointsBySet[0] = 1;
        s.starShellRadius = 100.0f;
        s.starGroups = 20;
        break;
    case 8:  // " Random filled star"
        s.randomFillColor = 1;
        break;
    case 9:  // " Sword star"
        s.shellPointsBySet[0] = 1;
        s.shellPointsBySet[1] = 1;
        s.shellPointsBySet[2] = 1;
        s.shellRadiusBySet[1] = 200.0f;
        break;
    case 10:  // " Thin Points"
        s.corePointsBySet[0] = 6;
        break;
    case 11:  // " Spike"
        s.corePointsBySet[0] = 6;
        s.corePointsBySet[1] = 1;
        s.corePointsBySet[2] = 1;
        s.coreRadiusBySet[2] = 100.0f;
        break;
    case 12:  // " Sun"
        s.distortRadius = 100.0f;
        s.distortFieldPercent = 200.0f;
        break;
    case 13:  // " 10 basic stars - random placement"
        WriteTenBasicStars(s);
        break;
    case 14:  // " 10 basic stars - random placement/fill"
        WriteTenBasicStars(s);
        s.randomFillColor = 1;
        break;
    case 15:  // " Star on new layer"
        // The reset has already cleared the flag; the entry exists to switch it on.
        s.newLayers = 1;
        break;
    case 16:  // " 20 intense randomised stars"
        for (int j = 0; j < 6; ++j) {
            s.corePointsBySet[j] = 6;
            s.shellPointsBySet[j] = 6;
            s.coreRadiusBySet[j] = 100.0f;
            s.shellRadiusBySet[j] = 100.0f;
        }
        s.starGroups = 40;
        s.starCount = 20;
        s.randomFillColor = 1;
        s.randomStarSettings = 1;
        s.randomStarGroups = 1;
        s.randomStructure = 1;
        s.randomSubpoints = 1;
        s.starCentreMode = 2;  // " Place star anywhere in document"
        break;
    case 17:  // " Ungainly star"
        s.groupPercentEven = 50.0f;
        s.groupPercentOdd = 200.0f;
        break;
    case 18:  // " Sliced star"
        s.twirlDegrees = 100.0f;
        break;
    case 19:  // " Half burst"
        s.boundaryLimitDegrees = 180.0f;
        s.starGroups = 50;
        break;
    case 20:  // " Shea Stadium"
        s.boundaryLimitDegrees = 180.0f;
        s.starGroups = 50;
        s.shellPointOffsetX = 100.0f;
        break;
    case 21:  // " Drop shadow"
        s.dropShadow = 1;
        break;
    case 22:  // " Shell randomized"
        s.randomOuterDistance2 = 1;
        break;
    case 23:  // " Scratchy"
        WriteScratchy(s);
        break;
    case 24:  // " Displaced"
        WriteScratchy(s);
        s.randomSketchShift = 0;
        break;
    case 25:  // " Dark"
        s.sketchRepeats = 20;
        s.sketchShiftAmount = 10.0f;
        s.sketchWeightTenths = 30.0f;
        s.randomSketchWidth = 0;
        break;
    case 26:  // " Color sketch"
        s.sketchRepeats = 20;
        s.sketchShiftAmount = 30.0f;
        s.sketchWeightTenths = 5.0f;
        s.sketchColorMode = 2;  // " Use random color"
        break;
    case 27:  // " Interpolate 1"
        s.interpolationPercent = -100.0f;
        break;
    case 28:  // " Interpolate 2"
        s.interpolationPercent = 100.0f;
        break;
    case 29:  // " Interpolate 3"
        s.interpolationPercent = 100.0f;
        s.randomInterpolate = 1;
        break;
    default:  // " Reset", and any index that names no preset
        break;
    }
}

void ApplyPresetToSettings(StarSettings& s, int32_t presetIndex, AIRealPoint viewCentre) {
    ResetForPreset(s, presetIndex, viewCentre);
    WritePresetValues(s, s.presetIndex);
}

AIRealPoint CurrentViewCentre(AIRealPoint fallback) {
    AIRealPoint centre = fallback;
    AIDocumentSetup setup{};
    if (DocumentSuite() && DocumentSuite()->GetDocumentSetup(&setup) == kSPNoError)
        centre = AIRealPoint{setup.width * 0.5f, setup.height * 0.5f};
    AIDocumentViewHandle view = nullptr;
    AIRealPoint viewCentre{};
    if (DocumentViewSuite() && DocumentViewSuite()->GetNthDocumentView(0, &view) == kSPNoError &&
        DocumentViewSuite()->GetDocumentViewCenter(view, &viewCentre) == kSPNoError)
        centre = viewCentre;
    return centre;
}

namespace {

// The spin edits in the order they are set; each item's field and kind come from the layout.
constexpr int32_t kSpinEditOrder[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 14, 13, 15, 16, 17, 18, 19,
                                      20, 21, 22, 34, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33};
constexpr int32_t kFirstCheckBox = 50;
constexpr int32_t kLastCheckBox = 85;

// Chooses the entry at position in a popup list; a position with no entry changes nothing.
void SelectEntryAt(ADMDialogRef dialog, int32_t item, int32_t position) {
    if (!ADMList() || !ADMEntry()) return;
    const ADMListRef list = ADMItem()->GetList(ADMDialog()->GetItem(dialog, item));
    if (!list) return;
    if (const ADMEntryRef entry = ADMList()->IndexEntry(list, position))
        ADMEntry()->Select(entry, true);
}

}  // namespace

void RefreshDialogFromSettings(ADMDialogRef dialog, StarSettings* settings) {
    if (!dialog || !settings || !ADMDialog() || !ADMItem()) return;
    const StarSettings& s = *settings;
    const auto item = [dialog](int32_t id) { return ADMDialog()->GetItem(dialog, id); };

    SelectEntryAt(dialog, kStarSetList, 0);
    SelectEntryAt(dialog, 153, s.starCentreMode);
    SelectEntryAt(dialog, 150, s.distortionCentreMode);
    SelectEntryAt(dialog, 154, s.sketchColorMode);
    SelectEntryAt(dialog, 155, s.interpolationCentreMode);

    ADMItem()->SetBooleanValue(item(kPreviewItem), IsOn(s.previewOn));

    // The star-set spin edits show set 1, whatever set was chosen before: their word is the
    // first of their array.
    for (int32_t id : kSpinEditOrder) {
        const ItemLayout* layout = FindItemLayout(id);
        if (!layout) continue;
        if (layout->value == ValueType::kInteger)
            ADMItem()->SetIntValue(item(id), IntWord(s, layout->word));
        else
            ADMItem()->SetFloatValue(item(id), FloatWord(s, layout->word));
    }

    for (int32_t id = kFirstCheckBox; id <= kLastCheckBox; ++id)
        if (const ItemLayout* layout = FindItemLayout(id))
            ADMItem()->SetBooleanValue(item(id), IsOn(IntWord(s, layout->word)));
}

void SPAPI ApplyPreset(ADMItemRef item, ADMNotifierRef notifier) {
    if (!ADMDialog() || !ADMItem()) return;
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    auto* settings = static_cast<StarSettings*>(ADMDialog()->GetUserData(dialog));
    if (!settings) return;

    // The list takes the user's choice first, so that its active entry is the one chosen.
    ADMItem()->DefaultNotify(item, notifier);
    const ADMListRef list = ADMItem()->GetList(item);
    const int32_t chosen = ADMList() && ADMEntry() && list
                               ? ADMEntry()->GetID(ADMList()->GetActiveEntry(list))
                               : kResetPreset;

    const AIRealPoint centre =
        CurrentViewCentre(AIRealPoint{settings->userCentreH, settings->userCentreV});
    ApplyPresetToSettings(*settings, chosen, centre);

    RefreshDialogFromSettings(dialog, settings);
    ADMItem()->SendNotify(ADMDialog()->GetItem(dialog, kStarSetList), kADMUserChangedNotifier);
    RefreshActiveTab(dialog);
}

}  // namespace corvanta
