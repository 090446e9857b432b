// Presets.h: the thirty named presets of the settings dialog's list 152, and the step that sets
// every value item of the dialog from the record.
//
// Choosing a preset puts the whole record back to its defaults and then writes the few values
// that make the preset; a preset is only a starting point, every value stays editable, and the
// record remembers only which entry was chosen last (`presetIndex`).
//
// The record work (ResetForPreset, WritePresetValues) needs no dialog and no host; the
// notifier ApplyPreset adds the host's view centre and the dialog around it.
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "AITypes.h"
#include "settings/StarSettings.h"

namespace corvanta {

inline constexpr int32_t kPresetCount = 30;
inline constexpr int32_t kResetPreset = 0;  // " Reset": the defaults, nothing more

// The texts of list 152 by position (= entry identifier = `presetIndex`); each begins with a
// blank, as the list shows them.
extern const char* const kPresetNames[kPresetCount];

// The text of preset index, or null for an index outside 0 .. kPresetCount - 1.
const char* PresetName(int32_t index);

// index when it names a preset, else kResetPreset. A record may hold any bit pattern in
// `presetIndex`, and a list may report an entry it was never given; both are taken as " Reset"
// so that no table is read outside its bounds and the record ends with a valid index.
int32_t PresetIndexOrReset(int32_t index);

// The reset every preset starts with: every field that has a default gets it, except
// `previewOn`, `activeTab` and `dialogBoundsSaved`, which keep their values. `presetIndex`
// becomes PresetIndexOrReset(presetIndex), the user centre becomes viewCentre (artwork
// points). The reserved words, `finalRun` and `dialogBounds` are not written.
void ResetForPreset(StarSettings& s, int32_t presetIndex, AIRealPoint viewCentre);

// Writes the values that make preset presetIndex over a reset record. " Reset" and an index
// outside 0 .. kPresetCount - 1 write nothing.
void WritePresetValues(StarSettings& s, int32_t presetIndex);

// ResetForPreset, then WritePresetValues: the whole record work of choosing a preset.
void ApplyPresetToSettings(StarSettings& s, int32_t presetIndex, AIRealPoint viewCentre);

// The centre of the current document's first view, in artwork points, asked of the host as a
// new record asks for it (the document setup first). When the view cannot tell, the page
// centre; when the document cannot tell either, fallback.
AIRealPoint CurrentViewCentre(AIRealPoint fallback);

// Sets the dialog's items from the record: the lists 151 (star set 1), 153, 150, 154, 155,
// check box 3, every spin edit (12 to 15 showing star set 1, 11 showing `shellPointOffsetY`)
// and check boxes 50 to 85. List 152 and the buttons are not touched. A list value with no
// entry at its position leaves that list's choice as it was. A null dialog or record does
// nothing.
void RefreshDialogFromSettings(ADMDialogRef dialog, StarSettings* settings);

// The notify procedure of list 152: the list takes the user's choice, the record (the
// dialog's user data) is reset to the chosen preset with the user centre at the current view
// centre, the dialog is refreshed from it, list 151 is notified (star set 1 is shown) and the
// active tab is refreshed, which reads the record back and, with Preview on, redraws the
// preview.
void SPAPI ApplyPreset(ADMItemRef item, ADMNotifierRef notifier);

}  // namespace corvanta
