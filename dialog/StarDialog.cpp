#include "dialog/StarDialog.h"

#include "dialog/DialogLayout.h"
#include "dialog/PickValues.h"
#include "dialog/Presets.h"
#include "dialog/Tumble.h"
#include "frame/SuiteTable.h"
#include "generator/GenerateStars.h"
#include "settings/StarSettings.h"

namespace corvanta {

namespace {

inline constexpr int32_t kStarDialogId = 16100;

// Every handler runs inside a dialog that RunStarDialog opened only with these present.
bool DialogSuitesPresent() {
    return ADMDialog() && ADMItem() && ADMList() && ADMEntry();
}

StarSettings* SettingsOfDialog(ADMDialogRef dialog) {
    return dialog ? static_cast<StarSettings*>(ADMDialog()->GetUserData(dialog)) : nullptr;
}

ADMItemRef Item(ADMDialogRef dialog, int32_t id) { return ADMDialog()->GetItem(dialog, id); }

void Notify(ADMDialogRef dialog, int32_t id) {
    if (ADMItemRef item = Item(dialog, id)) ADMItem()->SendNotify(item, kADMUserChangedNotifier);
}

ADMItemNotifyProc NotifierFor(Handler handler) {
    switch (handler) {
        case Handler::kValueChanged: return OnValueChanged;
        case Handler::kStarSetChosen: return OnStarSetChosen;
        case Handler::kTabButton: return OnTabButton;
        case Handler::kConfirm: return OnConfirm;
        case Handler::kPreset: return ApplyPreset;
        case Handler::kTumble: return Tumble;
        case Handler::kNone:
        case Handler::kPickTrack: break;
    }
    return nullptr;
}

// One item as the layout gives it. The star-set spin edits get no value here: they show the
// set that list 151 names once it is filled.
SPErr CreateItem(ADMDialogRef dialog, const ItemLayout& layout, const StarSettings& s) {
    const ADMItemSuite& items = *ADMItem();
    ADMItemRef item = ADMDialog()->CreateItem(dialog, layout.id, ItemTypeName(layout.kind), &layout.bounds);
    if (!item) return kSPBadParameterError;
    if (layout.text) items.SetText(item, layout.text);
    if (layout.kind == ItemKind::kSpinEdit) {
        items.SetUnits(item, kADMNoUnits);
        if (layout.value == ValueType::kInteger) {
            items.SetMinIntValue(item, static_cast<int32_t>(layout.minimum));
            items.SetMaxIntValue(item, static_cast<int32_t>(layout.maximum));
            if (!layout.perSet) items.SetIntValue(item, IntWord(s, layout.word));
        } else {
            items.SetPrecision(item, layout.decimals);
            items.SetMinFloatValue(item, layout.minimum);
            items.SetMaxFloatValue(item, layout.maximum);
            if (!layout.perSet) items.SetFloatValue(item, FloatWord(s, layout.word));
        }
    } else if (layout.kind == ItemKind::kCheckBox) {
        items.SetBooleanValue(item, IsOn(IntWord(s, layout.word)));
    }
    if (layout.handler == Handler::kPickTrack)
        items.SetTrackProc(item, TrackPickButton);
    else if (ADMItemNotifyProc proc = NotifierFor(layout.handler))
        items.SetNotifyProc(item, proc);
    if (layout.tab != kAlwaysShown && layout.tab != kBasicTab) items.Show(item, false);
    return kSPNoError;
}

// Entry k at position k with identifier k; the entry at the bound value is chosen. A value
// that names no entry (a record from elsewhere) chooses the first, so that what the list
// shows is what the next read-back stores.
void FillList(ADMDialogRef dialog, const ListLayout& list, const StarSettings& s) {
    const ItemLayout* layout = FindItemLayout(list.id);
    ADMItemRef item = Item(dialog, list.id);
    ADMListRef entries = item ? ADMItem()->GetList(item) : nullptr;
    if (!layout || !entries) return;
    const int32_t count = static_cast<int32_t>(list.entries.size());
    for (int32_t k = 0; k < count; ++k) {
        ADMEntryRef entry = ADMList()->InsertEntry(entries, k);
        ADMEntry()->SetText(entry, list.entries[k]);
        ADMEntry()->SetID(entry, k);
    }
    int32_t chosen = IntWord(s, layout->word);
    if (chosen < 0 || chosen >= count) chosen = 0;
    ADMEntry()->Select(ADMList()->IndexEntry(entries, chosen), true);
}

// The chosen entry's identifier into *id; false when the list has no chosen entry.
bool ChosenEntry(ADMItemRef item, int32_t* id) {
    ADMEntryRef entry = ADMList()->GetActiveEntry(ADMItem()->GetList(item));
    if (!entry) return false;
    *id = ADMEntry()->GetID(entry);
    return true;
}

void ReadBack(ADMDialogRef dialog, StarSettings& s) {
    const ADMItemSuite& items = *ADMItem();
    for (int32_t id : ReadBackOrder()) {
        const ItemLayout* layout = FindItemLayout(id);
        ADMItemRef item = Item(dialog, id);
        if (!layout || !item) continue;
        int32_t word = layout->word;
        if (layout->perSet) {
            // Only a set the arrays hold; starSetIndex has been read from list 151 just before.
            if (s.starSetIndex < 0 || s.starSetIndex >= kStarSets) continue;
            word += s.starSetIndex;
        }
        switch (layout->value) {
            case ValueType::kInteger: SetIntWord(s, word, items.GetIntValue(item)); break;
            case ValueType::kReal: SetFloatWord(s, word, items.GetFloatValue(item)); break;
            case ValueType::kFlag: SetIntWord(s, word, items.GetBooleanValue(item) ? 1 : 0); break;
            case ValueType::kChoice: {
                int32_t chosen = 0;
                if (ChosenEntry(item, &chosen)) SetIntWord(s, word, chosen);
                break;
            }
            case ValueType::kNone: break;
        }
    }
}

void EnableDependentItems(ADMDialogRef dialog, const StarSettings& s) {
    for (const DependentRule& rule : DependentRules()) {
        const bool on = rule.holds(s);
        for (int32_t id : rule.items)
            if (ADMItemRef item = Item(dialog, id)) ADMItem()->Enable(item, on);
    }
}

void ShowTab(ADMDialogRef dialog, int32_t tab) {
    for (int32_t t = kBasicTab; t <= kSettingsTab; ++t)
        for (int32_t id : TabItems(t))
            if (ADMItemRef item = Item(dialog, id)) ADMItem()->Show(item, t == tab);
}

// The artwork point under a view point of the first document view; false when the host
// cannot convert it, so that no value is taken from an unknown point.
bool ArtworkPointOf(int32_t h, int32_t v, AIRealPoint* artwork) {
    if (!DocumentViewSuite()) return false;
    AIDocumentViewHandle view = nullptr;
    if (DocumentViewSuite()->GetNthDocumentView(0, &view) != kSPNoError) return false;
    const AIPoint point{h, v};
    return DocumentViewSuite()->ViewPointToArtworkPoint(view, &point, artwork) == kSPNoError;
}

}  // namespace

SPErr RunStarDialog(AIFilterMessage* message) {
    if (!SettingsOf(message->parameters))
        if (SPErr error = CreateStarSettings(&message->parameters)) return error;
    StarSettings& settings = *SettingsOf(message->parameters);
    if (!DialogSuitesPresent()) return kSPSuiteNotFoundError;
    const StarSettings snapshot = settings;

    const int32_t item = ADMDialog()->Modal(message->d.self, "QM07_Corvanta", kStarDialogId,
                                            kADMModalDialogStyle, InitStarDialog, &settings);
    if (item == kOkItem) {
        // Art of an earlier preview that the final settings did not draw would otherwise stay
        // beside the stars the go run draws.
        if (IsOn(settings.previewDrawn)) return kSPNoError;
        return UndoSuite() ? UndoSuite()->UndoChanges() : kSPSuiteNotFoundError;
    }

    const SPErr error = UndoSuite() ? UndoSuite()->UndoChanges() : kSPSuiteNotFoundError;
    settings = snapshot;
    settings.previewDrawn = 0;
    return error ? error : kSPUserCanceledError;
}

SPErr SPAPI InitStarDialog(ADMDialogRef dialog) {
    if (!DialogSuitesPresent()) return kSPSuiteNotFoundError;
    StarSettings* s = SettingsOfDialog(dialog);
    if (!s) return kSPBadParameterError;

    if (IsOn(s->dialogBoundsSaved)) {
        const ADMRect bounds{s->dialogBounds[0], s->dialogBounds[1], s->dialogBounds[2], s->dialogBounds[3]};
        ADMDialog()->SetBoundsRect(dialog, &bounds);
    }
    // The remembered position stays; the size is always the layout's.
    ADMDialog()->Size(dialog, kDialogWidth, kDialogHeight);

    for (const ItemLayout& layout : DialogItems())
        if (SPErr error = CreateItem(dialog, layout, *s)) return error;
    for (const ListLayout& list : DialogLists()) FillList(dialog, list, *s);

    Notify(dialog, kStarSetList);     // spin edits 12 to 15 and their captions
    Notify(dialog, kStarGroupsItem);  // read back, dependent items, first preview
    RefreshActiveTab(dialog);
    // "OK" stays enabled: nothing would enable it again, and OnConfirm and the runner already
    // treat every end with item 1 alike.
    return kSPNoError;
}

void SPAPI OnValueChanged(ADMItemRef item, ADMNotifierRef notifier) {
    ADMItem()->DefaultNotify(item, notifier);
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    StarSettings* s = SettingsOfDialog(dialog);
    if (!s) return;
    s->finalRun = 0;
    ReadBack(dialog, *s);
    EnableDependentItems(dialog, *s);
    if (!IsOn(s->previewOn)) {
        s->previewDrawn = 0;  // an earlier preview stays in the document
        return;
    }
    s->previewDrawn = 1;
    // A failed preview is not reported, but the art it left was not drawn with these
    // settings: the go run must draw anew rather than keep it.
    if (GenerateStars(*s) != kSPNoError) s->previewDrawn = 0;
}

void SPAPI OnStarSetChosen(ADMItemRef item, ADMNotifierRef) {
    if (ADMItem()->GetID(item) != kStarSetList) return;
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    StarSettings* s = SettingsOfDialog(dialog);
    int32_t set = -1;
    if (!s || !ChosenEntry(item, &set) || set < 0 || set >= kStarSets) return;

    s->starSetIndex = set;
    const ADMItemSuite& items = *ADMItem();
    items.SetIntValue(Item(dialog, kSetCorePointsItem), s->corePointsBySet[set]);
    items.SetIntValue(Item(dialog, kSetShellPointsItem), s->shellPointsBySet[set]);
    items.SetFloatValue(Item(dialog, kSetCoreRadiusItem), s->coreRadiusBySet[set]);
    items.SetFloatValue(Item(dialog, kSetShellRadiusItem), s->shellRadiusBySet[set]);
    char caption[kSetCaptionSize];
    if (SetCoreCaption(set, caption)) items.SetText(Item(dialog, kSetCoreCaption), caption);
    if (SetShellCaption(set, caption)) items.SetText(Item(dialog, kSetShellCaption), caption);
}

void SPAPI OnTabButton(ADMItemRef item, ADMNotifierRef) {
    const int32_t tab = TabOfButton(ADMItem()->GetID(item));
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    StarSettings* s = SettingsOfDialog(dialog);
    if (!tab || !s) return;
    s->activeTab = tab;
    ShowTab(dialog, tab);
}

void SPAPI OnConfirm(ADMItemRef item, ADMNotifierRef notifier) {
    ADMItem()->DefaultNotify(item, notifier);
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    StarSettings* s = SettingsOfDialog(dialog);
    if (!s) return;
    ADMRect bounds{};
    ADMDialog()->GetBoundsRect(dialog, &bounds);
    s->dialogBounds[0] = bounds.left;
    s->dialogBounds[1] = bounds.top;
    s->dialogBounds[2] = bounds.right;
    s->dialogBounds[3] = bounds.bottom;
    s->dialogBoundsSaved = 1;
}

ADMBoolean SPAPI TrackPickButton(ADMItemRef item, ADMTrackerRef tracker) {
    const ADMDialogRef dialog = ADMItem()->GetDialog(item);
    StarSettings* s = SettingsOfDialog(dialog);
    if (!s) return true;
    if (ADMTracker() && (ADMTracker()->GetModifiers(nullptr) & kADMPickModifier)) {
        ADMItem()->DefaultTrack(item, tracker);
        int32_t h = 0, v = 0;
        ADMTracker()->GetPoint(nullptr, &h, &v);
        AIRealPoint picked{};
        const int32_t button = ADMItem()->GetID(item);
        if (ArtworkPointOf(h, v, &picked) && ApplyPick(*s, button, picked)) {
            const int32_t spinEdit = PickedSpinEdit(button);
            if (button == kStarGroupsPick)
                ADMItem()->SetIntValue(Item(dialog, spinEdit), s->starGroups);
            else
                ADMItem()->SetFloatValue(Item(dialog, spinEdit), FloatWord(*s, FindItemLayout(spinEdit)->word));
        }
    }
    RefreshActiveTab(dialog);
    return true;
}

void RefreshActiveTab(ADMDialogRef dialog) {
    StarSettings* s = SettingsOfDialog(dialog);
    if (!s) return;
    const TabRefresh refresh = TabRefreshFor(s->activeTab);
    Notify(dialog, refresh.firstValueItem);
    Notify(dialog, refresh.button);
}

}  // namespace corvanta
