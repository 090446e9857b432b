// The dialog manager's suites: ADM Basic, Dialog, Item, List, Entry and Tracker, called with
// hostile arguments and with the items, lists and entries of a dialog that has ended.
#include <cfloat>
#include <climits>
#include <cstdint>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "ADMBasic.h"
#include "ADMDialog.h"
#include "ADMEntry.h"
#include "ADMItem.h"
#include "ADMList.h"
#include "ADMTracker.h"
#include "validate/host_suites/Kit.h"

namespace easel::validate::host_suites {
namespace {

// ---- ADM Basic Suite ------------------------------------------------------------------------

void AdmBasicHostile(Probe& p, Fixture& f, const ADMBasicSuite& s) {
    if (HAS(s, GetIndexString)) {
        char buffer[256];
        auto untouched = [&] {
            for (char c : buffer)
                if (c != '#') return false;
            return true;
        };
        auto refuse = [&](const std::string& call, SPErr e) {
            p.Code(call, e, kSPBadParameterError);
            if (!untouched()) p.Fault(call + " wrote into the buffer");
            std::memset(buffer, '#', sizeof buffer);
        };
        std::memset(buffer, '#', sizeof buffer);
        auto plugins = f.Forged<SPPluginRef>();
        plugins.push_back({"a removed plug-in", f.deadPlugin});
        for (const auto& pl : plugins)
            refuse("GetIndexString(" + pl.name + ", 16000, 1, buffer, 256)", s.GetIndexString(pl.handle, kStringList, 1, buffer, 256));
        for (int32_t list : {-1, INT32_MIN, INT32_MAX, 0x10000 + kStringList, 1, kStringList + 3})
            refuse(Cat("GetIndexString(self, ", IntText(list), ", 1, buffer, 256)"), s.GetIndexString(f.plugin, list, 1, buffer, 256));
        p.Code("GetIndexString(self, 16000, 1, NULL, 256)", s.GetIndexString(f.plugin, kStringList, 1, nullptr, 256), kSPBadParameterError);
        for (int32_t length : {0, -1, INT32_MIN})
            refuse(Cat("GetIndexString(self, 16000, 1, buffer, ", IntText(length), ")"),
                   s.GetIndexString(f.plugin, kStringList, 1, buffer, length));
        for (int32_t index : {3, 16, 0xFFFF, INT32_MAX}) {
            const std::string call = Cat("GetIndexString(self, 16000, ", IntText(index), ", buffer, 256)");
            p.Code(call, s.GetIndexString(f.plugin, kStringList, index, buffer, 256), kSPNoError);
            if (buffer[0] != '\0') p.Fault(call + " did not give the empty string");
            std::memset(buffer, '#', sizeof buffer);
        }
        for (int32_t index : {-1, INT32_MIN}) {
            const std::string call = Cat("GetIndexString(self, 16000, ", IntText(index), ", buffer, 256)");
            const SPErr e = s.GetIndexString(f.plugin, kStringList, index, buffer, 256);
            p.Result(call, e == kSPNoError ? buffer[0] == '\0' : untouched(), "gave a string for a position before the list");
            std::memset(buffer, '#', sizeof buffer);
        }
        const std::string cut = "GetIndexString(self, 16000, 2, buffer, 3)";
        p.Code(cut, s.GetIndexString(f.plugin, kStringList, 2, buffer, 3), kSPNoError);
        if (std::string(buffer, 3) != std::string("se\0", 3) || buffer[3] != '#') p.Fault(cut + " did not cut to \"se\"");
    }
    if (HAS(s, MessageAlert)) {
        s.MessageAlert(nullptr);
        s.MessageAlert(std::string(100000, 'x').c_str());
        p.Returned();
        p.Returned();
    }
}

void AdmBasicValid(Probe& p, Fixture& f, const ADMBasicSuite& s) {
    if (!s.GetIndexString) return;
    char buffer[64] = {};
    p.Code("GetIndexString(self, 16000, 1, buffer, 64)", s.GetIndexString(f.plugin, kStringList, 1, buffer, 64), kSPNoError);
    if (std::string(buffer) != "first") p.Fault("GetIndexString did not give \"first\"");
}

// ---- The dialog manager ---------------------------------------------------------------------

// Runs a modal dialog of the check's resources; `init` gets the open dialog, and its answer is
// the init procedure's.
const std::function<SPErr(ADMDialogRef)>* gInit = nullptr;
SPErr InitTrampoline(ADMDialogRef dialog) { return gInit ? (*gInit)(dialog) : kSPNoError; }

int32_t RunModal(const ADMDialogSuite& d, SPPluginRef plugin, int32_t resId, ADMUserData userData,
                 const std::function<SPErr(ADMDialogRef)>& init) {
    const auto* outer = gInit;
    gInit = &init;
    const int32_t result = d.Modal(plugin, "host suite check", resId, kADMModalDialogStyle, InitTrampoline, userData);
    gInit = outer;
    return result;
}

// What a dialog's init procedure kept, for calls after the dialog has ended.
struct Kept {
    ADMDialogRef dialog = nullptr;
    std::vector<Named<ADMItemRef>> items;
    ADMListRef list = nullptr;
    std::vector<ADMEntryRef> entries;
};

const ADMRect kItemBounds{10, 150, 90, 164};

// The dialog suite and the popup list item a check of the items, lists or entries needs; a note
// when something it needs is missing.
struct DialogTools {
    const ADMDialogSuite* dialog = nullptr;
    const ADMItemSuite* item = nullptr;
    const ADMListSuite* list = nullptr;
    std::string missing;
};

// Names the entries missing from a suite that another suite's check needs.
std::string Needs(const DialogTools& t, bool wantItem, bool wantList) {
    std::string missing;
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem || !t.dialog->CreateItem) missing += " ADM Dialog Suite Modal/GetItem/CreateItem";
    if (wantItem && (!t.item || !t.item->GetList)) missing += " ADM Item Suite GetList";
    if (wantList && (!t.list || !t.list->InsertEntry)) missing += " ADM List Suite InsertEntry";
    return missing;
}

// The host's tables are static for the process, so a table seen once stays usable after its
// release.
DialogTools Tools(Fixture& f) {
    DialogTools t;
    const SPBasicSuite* b = f.host.Basic();
    const void* table = nullptr;
    if (b->AcquireSuite(kADMDialogSuite, kADMDialogSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMDialogSuite, table)) t.dialog = static_cast<const ADMDialogSuite*>(table);
        b->ReleaseSuite(kADMDialogSuite, kADMDialogSuiteVersion);
    }
    if (b->AcquireSuite(kADMItemSuite, kADMItemSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMItemSuite, table)) t.item = static_cast<const ADMItemSuite*>(table);
        b->ReleaseSuite(kADMItemSuite, kADMItemSuiteVersion);
    }
    if (b->AcquireSuite(kADMListSuite, kADMListSuiteVersion, &table) == kSPNoError) {
        if (!IsPlaceholder(kADMListSuite, table)) t.list = static_cast<const ADMListSuite*>(table);
        b->ReleaseSuite(kADMListSuite, kADMListSuiteVersion);
    }
    return t;
}

void DialogHostile(Probe& p, Fixture& f, const ADMDialogSuite& s) {
    if (!HAS(s, Modal)) return;
    const size_t shownBefore = f.host.Dialogs().size();
    bool initRan = false;
    auto noteInit = [&](ADMDialogRef) {
        initRan = true;
        return kSPNoError;
    };
    auto plugins = f.Forged<SPPluginRef>();
    plugins.push_back({"a removed plug-in", f.deadPlugin});
    for (const auto& pl : plugins) {
        initRan = false;
        const int32_t r = RunModal(s, pl.handle, kDialog, nullptr, noteInit);
        p.Result("Modal(" + pl.name + ", ..., 16100)", r == -1 && !initRan, Cat("answered ", r, initRan ? " and ran init" : ""));
    }
    for (int32_t id : {-1, 0, INT32_MIN, INT32_MAX, 0x10000 + kDialog, kStringList, kDamagedDialog}) {
        initRan = false;
        const int32_t r = RunModal(s, f.plugin, id, nullptr, noteInit);
        p.Result(Cat("Modal(self, ..., ", IntText(id), ")"), r == -1 && !initRan, Cat("answered ", r, initRan ? " and ran init" : ""));
    }
    // An init procedure that fails closes the dialog before it is shown; what it kept is dead.
    Kept failed;
    const int32_t r = RunModal(s, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        failed.dialog = d;
        if (s.GetItem) failed.items.push_back({"an item of a dialog whose init failed", s.GetItem(d, kOkItem)});
        return kSPBadParameterError;
    });
    p.Result("Modal with an init procedure that fails", r == -1, Cat("answered ", r));
    if (f.host.Dialogs().size() != shownBefore) p.Fault("a dialog that could not open was shown");

    int marker = 0;
    Kept kept;
    const int32_t ended = RunModal(s, f.plugin, kDialog, &marker, [&](ADMDialogRef d) {
        kept.dialog = d;
        auto forged = f.Forged<ADMDialogRef>(false);
        forged.push_back({"a dialog whose init failed", failed.dialog});
        if (HAS(s, GetUserData)) {
            p.Result("GetUserData(NULL)", s.GetUserData(nullptr) == nullptr, "not NULL");
            for (const auto& g : forged) p.Result("GetUserData(" + g.name + ")", s.GetUserData(g.handle) == nullptr, "not NULL");
        }
        if (HAS(s, GetItem)) {
            p.Result("GetItem(NULL, 1)", s.GetItem(nullptr, kOkItem) == nullptr, "not NULL");
            for (const auto& g : forged) p.Result("GetItem(" + g.name + ", 1)", s.GetItem(g.handle, kOkItem) == nullptr, "not NULL");
            for (int32_t id : {0, -2, 999, INT32_MIN, INT32_MAX})
                p.Result(Cat("GetItem(dialog, ", IntText(id), ")"), s.GetItem(d, id) == nullptr, "not NULL");
            kept.items.push_back({"item 1", s.GetItem(d, kOkItem)});
        }
        if (HAS(s, EndModal)) {
            s.EndModal(nullptr, 7);
            p.Returned();
            for (const auto& g : forged) s.EndModal(g.handle, 7), p.Returned();
        }
        if (HAS(s, CreateItem)) {
            p.Result("CreateItem(NULL, 50, spin edit, &bounds)", s.CreateItem(nullptr, 50, kADMSpinEditType, &kItemBounds) == nullptr, "not NULL");
            for (const auto& g : forged)
                p.Result("CreateItem(" + g.name + ", 50, spin edit, &bounds)", s.CreateItem(g.handle, 50, kADMSpinEditType, &kItemBounds) == nullptr,
                         "not NULL");
            p.Result("CreateItem(dialog, 50, NULL, &bounds)", s.CreateItem(d, 50, nullptr, &kItemBounds) == nullptr, "not NULL");
            p.Result("CreateItem(dialog, 50, \"ADM No Such Type\", &bounds)", s.CreateItem(d, 50, "ADM No Such Type", &kItemBounds) == nullptr,
                     "not NULL");
            p.Result("CreateItem(dialog, 50, spin edit, NULL)", s.CreateItem(d, 50, kADMSpinEditType, nullptr) == nullptr, "not NULL");
            p.Result("CreateItem(dialog, 1, ...) of an identifier the dialog holds", s.CreateItem(d, kOkItem, kADMSpinEditType, &kItemBounds) == nullptr,
                     "not NULL");
            if (s.GetItem && s.GetItem(d, 50) != nullptr) p.Fault("a refused CreateItem added item 50");
        }
        ADMRect bounds{1, 2, 3, 4};
        if (HAS(s, SetBoundsRect)) {
            s.SetBoundsRect(nullptr, &bounds), s.SetBoundsRect(d, nullptr);
            p.Returned(), p.Returned();
            for (const auto& g : forged) s.SetBoundsRect(g.handle, &bounds), p.Returned();
        }
        if (HAS(s, GetBoundsRect)) {
            bounds = {1, 2, 3, 4};
            s.GetBoundsRect(nullptr, &bounds);
            p.Result("GetBoundsRect(NULL, &bounds)", bounds.left == 0 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0,
                     "not (0, 0, 0, 0)");
            s.GetBoundsRect(d, nullptr);
            p.Returned();
        }
        if (HAS(s, Size)) {
            s.Size(nullptr, 10, 10);
            p.Returned();
            for (const auto& g : forged) s.Size(g.handle, 10, 10), p.Returned();
            if (s.SetBoundsRect && s.GetBoundsRect) {
                const ADMRect placed{100, 100, 300, 250};
                s.SetBoundsRect(d, &placed);
                s.Size(d, -5, INT32_MIN);
                s.GetBoundsRect(d, &bounds);
                p.Result("Size(dialog, -5, INT32_MIN)", bounds.right == bounds.left && bounds.bottom == bounds.top && bounds.left == 100,
                         "negative sizes not taken as 0");
                s.Size(d, INT32_MAX, INT32_MAX);
                s.GetBoundsRect(d, &bounds);
                p.Result("Size(dialog, INT32_MAX, INT32_MAX)", bounds.right >= bounds.left && bounds.bottom >= bounds.top,
                         "the bounds wrapped round");
            }
        }
        return kSPNoError;
    });
    p.Result("Modal after EndModal calls with forged dialogs", ended == kOkItem, Cat("ended with ", ended));

    // The dialog has ended: every handle it gave is dead, and so are the failed dialog's.
    for (const Kept* k : {&kept, &failed}) {
        const std::string which = k == &kept ? "an ended dialog" : "a dialog whose init failed";
        if (s.GetUserData) p.Result("GetUserData(" + which + ")", s.GetUserData(k->dialog) == nullptr, "not NULL");
        if (s.GetItem) p.Result("GetItem(" + which + ", 1)", s.GetItem(k->dialog, kOkItem) == nullptr, "not NULL");
        if (s.EndModal) s.EndModal(k->dialog, 2), p.Returned();
        if (s.CreateItem)
            p.Result("CreateItem(" + which + ", ...)", s.CreateItem(k->dialog, 60, kADMSpinEditType, &kItemBounds) == nullptr, "not NULL");
        ADMRect bounds{1, 2, 3, 4};
        if (s.SetBoundsRect) s.SetBoundsRect(k->dialog, &bounds), p.Returned();
        if (s.GetBoundsRect) {
            s.GetBoundsRect(k->dialog, &bounds);
            const bool zero = bounds.left == 0 && bounds.top == 0 && bounds.right == 0 && bounds.bottom == 0;
            const bool kept4 = bounds.left == 1 && bounds.top == 2 && bounds.right == 3 && bounds.bottom == 4;
            p.Result("GetBoundsRect(" + which + ")", zero || kept4, "gave the bounds of a dialog that is gone");
        }
        if (s.Size) s.Size(k->dialog, 5, 5), p.Returned();
    }
    // A later dialog is not reached through the handles of an earlier one.
    int secondMarker = 0;
    const int32_t second = RunModal(s, f.plugin, kDialog, &secondMarker, [&](ADMDialogRef d) {
        const bool same = d == kept.dialog;
        if (s.GetUserData)
            p.Result("GetUserData(the ended dialog) while another is open", s.GetUserData(kept.dialog) == nullptr,
                     same ? "the new dialog answers to the ended dialog's handle" : "not NULL");
        if (s.GetItem)
            p.Result("GetItem(the ended dialog, 1) while another is open", s.GetItem(kept.dialog, kOkItem) == nullptr,
                     same ? "the new dialog answers to the ended dialog's handle" : "not NULL");
        if (s.EndModal) s.EndModal(kept.dialog, kCancelItem), p.Returned();
        return kSPNoError;
    });
    if (second == kCancelItem) p.Fault("EndModal of the ended dialog ended the dialog open after it");
}

void DialogValid(Probe& p, Fixture& f, const ADMDialogSuite& s) {
    if (!s.Modal || !s.EndModal || !s.GetItem) return;
    const int32_t r = RunModal(s, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        if (s.CreateItem && !s.CreateItem(d, 50, kADMSpinEditType, &kItemBounds)) p.Fault("CreateItem of a spin edit failed");
        if (s.CreateItem && s.GetItem(d, 50) == nullptr) p.Fault("the item made is not found");
        s.EndModal(d, kCancelItem);
        return kSPNoError;
    });
    p.Result("Modal ended with EndModal(dialog, 2)", r == kCancelItem, Cat("answered ", r));
}

// Items: NULL and forged items, then a live dialog's, then those of the ended dialog; each entry
// must answer its neutral result and follow no handle it does not know.
void ItemNeutral(Probe& p, const ADMItemSuite& s, const Named<ADMItemRef>& i) {
    const ADMItemRef h = i.handle;
    const std::string n = "(" + i.name + ")";
    auto call = [&](auto entry, auto&&... args) {
        if (entry) entry(h, args...), p.Returned();
    };
    call(s.SetNotifyProc, nullptr);
    call(s.DefaultNotify, nullptr);
    call(s.SetText, "text");
    call(s.SetTrackProc, nullptr);
    call(s.SendNotify, kADMUserChangedNotifier);
    call(s.Show, ADMBoolean{0});
    call(s.Enable, ADMBoolean{0});
    call(s.SetUnits, kADMNoUnits);
    call(s.SetPrecision, 2);
    call(s.SetMinIntValue, 0);
    call(s.SetMaxIntValue, 10);
    call(s.SetMinFloatValue, 0.0f);
    call(s.SetMaxFloatValue, 10.0f);
    call(s.SetIntValue, 5);
    call(s.SetFloatValue, 5.0f);
    call(s.SetBooleanValue, ADMBoolean{1});
    if (s.GetDialog) p.Result("GetDialog" + n, s.GetDialog(h) == nullptr, "not NULL");
    if (s.GetID) p.Result("GetID" + n, s.GetID(h) == 0, "not 0");
    if (s.DefaultTrack) p.Result("DefaultTrack" + n, s.DefaultTrack(h, nullptr) == 0, "answered true");
    if (s.GetIntValue) p.Result("GetIntValue" + n, s.GetIntValue(h) == 0, "not 0");
    if (s.GetFloatValue) p.Result("GetFloatValue" + n, s.GetFloatValue(h) == 0.0f, "not 0");
    if (s.GetBooleanValue) p.Result("GetBooleanValue" + n, s.GetBooleanValue(h) == 0, "not 0");
    if (s.GetList) p.Result("GetList" + n, s.GetList(h) == nullptr, "not NULL");
}

int gNotified = 0;
void SPAPI CountNotify(ADMItemRef, ADMNotifierRef) { ++gNotified; }

void ItemHostile(Probe& p, Fixture& f, const ADMItemSuite& s) {
    // Every entry is listed once, whatever the calls below reach.
    for (bool present : {HAS(s, SetNotifyProc), HAS(s, DefaultNotify), HAS(s, SetText), HAS(s, GetDialog), HAS(s, GetID),
                         HAS(s, SetTrackProc), HAS(s, DefaultTrack), HAS(s, SendNotify), HAS(s, Show), HAS(s, Enable),
                         HAS(s, SetUnits), HAS(s, SetPrecision), HAS(s, SetMinIntValue), HAS(s, SetMaxIntValue),
                         HAS(s, SetMinFloatValue), HAS(s, SetMaxFloatValue), HAS(s, SetIntValue), HAS(s, GetIntValue),
                         HAS(s, SetFloatValue), HAS(s, GetFloatValue), HAS(s, SetBooleanValue), HAS(s, GetBooleanValue),
                         HAS(s, GetList)})
        (void)present;
    for (const auto& i : f.Forged<ADMItemRef>()) ItemNeutral(p, s, i);
    const DialogTools t = Tools(f);
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem) return p.Missing("(ADM Dialog Suite Modal/GetItem: live items)");
    Kept kept;
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        kept.dialog = d;
        for (int32_t id : {kOkItem, kCancelItem, kEditItem, kLabelItem, kComboItem})
            kept.items.push_back({Cat("item ", id, " of the ended dialog"), t.dialog->GetItem(d, id)});
        ADMItemRef spin = t.dialog->CreateItem ? t.dialog->CreateItem(d, 50, kADMSpinEditType, &kItemBounds) : nullptr;
        if (spin) kept.items.push_back({"a spin edit of the ended dialog", spin});
        const ADMItemRef label = t.dialog->GetItem(d, kLabelItem);
        if (s.GetList && label) p.Result("GetList(a label)", s.GetList(label) == nullptr, "not NULL");
        if (s.SetText && label) s.SetText(label, nullptr), p.Returned();
        if (s.SetNotifyProc && s.SendNotify && label) {
            gNotified = 0;
            s.SetNotifyProc(label, CountNotify);
            s.SendNotify(label, nullptr);
            p.Result("SendNotify(item, NULL)", gNotified == 0, "called the notifier");
            s.SendNotify(label, kADMUserChangedNotifier);
            p.Result("SendNotify(item, kADMUserChangedNotifier)", gNotified == 1, Cat("called the notifier ", gNotified, " times"));
            s.SetNotifyProc(label, nullptr);
        }
        if (s.SetPrecision && s.SetUnits && label)
            for (int32_t v : {INT32_MIN, INT32_MAX, -1}) s.SetPrecision(label, v), s.SetUnits(label, v), p.Returned(), p.Returned();
        if (!spin) {
            p.Missing("(ADM Dialog Suite CreateItem: spin edit values)");
            return kSPNoError;
        }
        if (!s.SetMinIntValue || !s.SetMaxIntValue || !s.SetIntValue || !s.GetIntValue || !s.SetMinFloatValue ||
            !s.SetMaxFloatValue || !s.SetFloatValue || !s.GetFloatValue)
            return kSPNoError;
        auto value = [&](const std::string& call, float want) {
            const float got = s.GetFloatValue(spin);
            p.Result(call, got == want, Cat("reads ", FloatText(got), ", expected ", FloatText(want)));
        };
        s.SetMinFloatValue(spin, 0), s.SetMaxFloatValue(spin, 10), s.SetFloatValue(spin, 4);
        s.SetMinFloatValue(spin, kNaN);
        s.SetFloatValue(spin, -5);
        value("SetMinFloatValue(NaN), then SetFloatValue(-5)", 0);
        s.SetMaxFloatValue(spin, kNaN);
        s.SetFloatValue(spin, 50);
        value("SetMaxFloatValue(NaN), then SetFloatValue(50)", 10);
        s.SetFloatValue(spin, 4);
        s.SetFloatValue(spin, kNaN);
        value("SetFloatValue(NaN)", 4);
        s.SetFloatValue(spin, kInf);
        value("SetFloatValue(+inf) within 0 .. 10", 10);
        s.SetFloatValue(spin, -kInf);
        value("SetFloatValue(-inf) within 0 .. 10", 0);
        s.SetMinFloatValue(spin, -FLT_MAX), s.SetMaxFloatValue(spin, FLT_MAX);
        s.SetFloatValue(spin, FLT_MAX);
        p.Result("GetIntValue of FLT_MAX", s.GetIntValue(spin) == INT32_MAX, Cat("reads ", s.GetIntValue(spin)));
        s.SetFloatValue(spin, -FLT_MAX);
        p.Result("GetIntValue of -FLT_MAX", s.GetIntValue(spin) == INT32_MIN, Cat("reads ", s.GetIntValue(spin)));
        s.SetFloatValue(spin, -2.6f);
        p.Result("GetIntValue of -2.6", s.GetIntValue(spin) == -3, Cat("reads ", s.GetIntValue(spin)));
        s.SetMinIntValue(spin, INT32_MIN), s.SetMaxIntValue(spin, INT32_MAX);
        for (int32_t v : {INT32_MIN, INT32_MAX}) {
            s.SetIntValue(spin, v);
            p.Result(Cat("SetIntValue(", IntText(v), ") within the int32 range"), s.GetIntValue(spin) == v, Cat("reads ", s.GetIntValue(spin)));
        }
        s.SetMaxIntValue(spin, 5), s.SetMinIntValue(spin, 20), s.SetIntValue(spin, 0);
        p.Result("SetMaxIntValue(5), SetMinIntValue(20), SetIntValue(0)", s.GetIntValue(spin) == 20, Cat("reads ", s.GetIntValue(spin)));
        s.SetMinIntValue(spin, -3), s.SetMaxIntValue(spin, -10), s.SetIntValue(spin, 100);
        p.Result("SetMinIntValue(-3), SetMaxIntValue(-10), SetIntValue(100)", s.GetIntValue(spin) == -10, Cat("reads ", s.GetIntValue(spin)));
        for (int k = 0; k < 30; ++k) p.Returned();  // the setters above
        return kSPNoError;
    });
    for (const auto& i : kept.items)
        if (i.handle) ItemNeutral(p, s, i);
}

void ItemValid(Probe& p, Fixture& f, const ADMItemSuite& s) {
    const DialogTools t = Tools(f);
    if (!t.dialog || !t.dialog->Modal || !t.dialog->GetItem || !s.GetID || !s.GetDialog) return;
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        const ADMItemRef ok = t.dialog->GetItem(d, kOkItem);
        p.Result("GetID(item 1)", s.GetID(ok) == kOkItem, "not 1");
        p.Result("GetDialog(item 1)", s.GetDialog(ok) == d, "not its dialog");
        return kSPNoError;
    });
}

// A popup list item of a live dialog, made by `use` and used there; kept handles afterwards.
void WithPopup(Probe& p, const DialogTools& t, Fixture& f, const std::function<void(ADMDialogRef, ADMItemRef, ADMListRef)>& use) {
    RunModal(*t.dialog, f.plugin, kDialog, nullptr, [&](ADMDialogRef d) {
        ADMItemRef popup = t.dialog->CreateItem(d, 60, kADMPopupListType, &kItemBounds);
        ADMListRef list = popup ? t.item->GetList(popup) : nullptr;
        if (!list) {
            p.Fault("a popup list item made by CreateItem has no list");
            return kSPNoError;
        }
        use(d, popup, list);
        return kSPNoError;
    });
}

void ListNeutral(Probe& p, const ADMListSuite& s, const Named<ADMListRef>& l) {
    const std::string n = "(" + l.name;
    if (s.InsertEntry) p.Result("InsertEntry" + n + ", 0)", s.InsertEntry(l.handle, 0) == nullptr, "not NULL");
    if (s.IndexEntry) p.Result("IndexEntry" + n + ", 0)", s.IndexEntry(l.handle, 0) == nullptr, "not NULL");
    if (s.GetActiveEntry) p.Result("GetActiveEntry" + n + ")", s.GetActiveEntry(l.handle) == nullptr, "not NULL");
    if (s.NumberOfEntries) p.Result("NumberOfEntries" + n + ")", s.NumberOfEntries(l.handle) == 0, "not 0");
}

void ListHostile(Probe& p, Fixture& f, const ADMListSuite& s) {
    (void)(HAS(s, InsertEntry) + HAS(s, IndexEntry) + HAS(s, GetActiveEntry) + HAS(s, NumberOfEntries));
    for (const auto& l : f.Forged<ADMListRef>()) ListNeutral(p, s, l);
    DialogTools t = Tools(f);
    t.list = &s;
    if (const std::string missing = Needs(t, true, false); !missing.empty()) return p.Missing("(" + missing + ": live lists)");
    ADMListRef kept = nullptr;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef popup, ADMListRef list) {
        kept = list;
        if (!s.InsertEntry || !s.IndexEntry || !s.NumberOfEntries || !s.GetActiveEntry) return;
        for (int32_t i : {-1, 0, INT32_MIN, INT32_MAX})
            p.Result(Cat("IndexEntry(empty list, ", IntText(i), ")"), s.IndexEntry(list, i) == nullptr, "not NULL");
        p.Result("GetActiveEntry(empty list)", s.GetActiveEntry(list) == nullptr, "not NULL");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // no entry chosen
        ADMEntryRef first = s.InsertEntry(list, INT32_MIN);
        ADMEntryRef last = s.InsertEntry(list, INT32_MAX);
        ADMEntryRef middle = s.InsertEntry(list, 1);
        p.Returned(), p.Returned(), p.Returned();
        p.Result("NumberOfEntries after three inserts", s.NumberOfEntries(list) == 3, Cat("answered ", s.NumberOfEntries(list)));
        p.Result("InsertEntry(list, INT32_MIN) goes first", first && s.IndexEntry(list, 0) == first, "it is not at 0");
        p.Result("InsertEntry(list, INT32_MAX) appends", last && s.IndexEntry(list, 2) == last, "it is not at the end");
        p.Result("InsertEntry(list, 1)", middle && s.IndexEntry(list, 1) == middle, "it is not at 1");
        for (int32_t i : {-1, 3, INT32_MIN, INT32_MAX})
            p.Result(Cat("IndexEntry(list, ", IntText(i), ")"), s.IndexEntry(list, i) == nullptr, "not NULL");
        p.Result("GetActiveEntry with none chosen", s.GetActiveEntry(list) == nullptr, "not NULL");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // entries, none chosen
    });
    if (kept) ListNeutral(p, s, {"a list of an ended dialog", kept});
}

void ListValid(Probe& p, Fixture& f, const ADMListSuite& s) {
    DialogTools t = Tools(f);
    if (!Needs(t, true, false).empty() || !s.InsertEntry || !s.NumberOfEntries) return;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef, ADMListRef list) {
        s.InsertEntry(list, 0);
        p.Result("NumberOfEntries after one insert", s.NumberOfEntries(list) == 1, "not 1");
    });
}

void EntryNeutral(Probe& p, const ADMEntrySuite& s, const Named<ADMEntryRef>& e) {
    const std::string n = "(" + e.name + ")";
    if (s.SetText) s.SetText(e.handle, "text"), p.Returned();
    if (s.SetID) s.SetID(e.handle, 5), p.Returned();
    if (s.Select) s.Select(e.handle, 1), p.Returned();
    if (s.GetID) p.Result("GetID" + n, s.GetID(e.handle) == 0, "not 0");
    if (s.GetIndex) p.Result("GetIndex" + n, s.GetIndex(e.handle) == -1, "not -1");
}

void EntryHostile(Probe& p, Fixture& f, const ADMEntrySuite& s) {
    (void)(HAS(s, SetText) + HAS(s, SetID) + HAS(s, GetID) + HAS(s, Select) + HAS(s, GetIndex));
    for (const auto& e : f.Forged<ADMEntryRef>()) EntryNeutral(p, s, e);
    const DialogTools t = Tools(f);
    if (const std::string missing = Needs(t, true, true); !missing.empty()) return p.Missing("(" + missing + ": live entries)");
    std::vector<ADMEntryRef> kept;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef popup, ADMListRef list) {
        ADMEntryRef a = t.list->InsertEntry(list, 0);
        ADMEntryRef b = t.list->InsertEntry(list, 1);
        kept = {a, b};
        if (!a || !b || !s.SetID || !s.GetID || !s.Select || !s.GetIndex) return;
        if (s.SetText) s.SetText(a, nullptr), p.Returned();
        for (int32_t id : {INT32_MIN, INT32_MAX, -1, 0}) {
            s.SetID(a, id);
            p.Result(Cat("SetID(entry, ", IntText(id), ")"), s.GetID(a) == id, Cat("reads ", s.GetID(a)));
        }
        s.SetID(b, 7);
        s.Select(b, 1);
        if (t.item->GetIntValue) p.Result("GetIntValue(popup) with entry 7 chosen", t.item->GetIntValue(popup) == 7, "not 7");
        if (t.list->GetActiveEntry) p.Result("GetActiveEntry after Select", t.list->GetActiveEntry(list) == b, "not the entry chosen");
        s.Select(a, 1);
        s.Select(b, 0);
        if (t.list->GetActiveEntry) p.Result("Select of another entry", t.list->GetActiveEntry(list) == a, "not the only chosen entry");
        s.Select(a, 0);
        if (t.list->GetActiveEntry) p.Result("Select(entry, false)", t.list->GetActiveEntry(list) == nullptr, "an entry is still chosen");
        if (t.item->GetIntValue) t.item->GetIntValue(popup), p.Returned();  // none chosen: any value, no crash
        p.Result("GetIndex(second entry)", s.GetIndex(b) == 1, Cat("answered ", s.GetIndex(b)));
    });
    for (ADMEntryRef e : kept)
        if (e) EntryNeutral(p, s, {"an entry of an ended dialog", e});
}

void EntryValid(Probe& p, Fixture& f, const ADMEntrySuite& s) {
    const DialogTools t = Tools(f);
    if (!Needs(t, true, true).empty() || !s.SetID || !s.GetID) return;
    WithPopup(p, t, f, [&](ADMDialogRef, ADMItemRef, ADMListRef list) {
        ADMEntryRef e = t.list->InsertEntry(list, 0);
        s.SetID(e, 12);
        p.Result("SetID(entry, 12)", s.GetID(e) == 12, "not 12");
    });
}

void TrackerHostile(Probe& p, Fixture& f, const ADMTrackerSuite& s) {
    auto trackers = f.Forged<ADMTrackerRef>();
    for (const auto& t : trackers) {
        if (HAS(s, GetModifiers)) p.Result("GetModifiers(" + t.name + ") outside any event", s.GetModifiers(t.handle) == 0, "not 0");
        if (HAS(s, GetPoint)) {
            int32_t h = 7, v = 7;
            s.GetPoint(t.handle, &h, &v);
            p.Result("GetPoint(" + t.name + ", &h, &v) outside any event", h == 0 && v == 0, Cat("gave (", h, ", ", v, ")"));
            s.GetPoint(t.handle, nullptr, nullptr);
            s.GetPoint(t.handle, &h, nullptr);
            s.GetPoint(t.handle, nullptr, &v);
            p.Returned(), p.Returned(), p.Returned();
        }
    }
}

void TrackerValid(Probe& p, Fixture&, const ADMTrackerSuite& s) {
    if (!s.GetModifiers) return;
    p.Result("GetModifiers(NULL)", s.GetModifiers(nullptr) == 0, "not 0 with no event");
}

}  // namespace

void AddDialogSuiteChecks(std::vector<Check>& checks) {
    Add<ADMBasicSuite>(checks, kADMBasicSuite, kADMBasicSuiteVersion, {nullptr, AdmBasicHostile, AdmBasicValid});
    Add<ADMDialogSuite>(checks, kADMDialogSuite, kADMDialogSuiteVersion, {nullptr, DialogHostile, DialogValid});
    Add<ADMItemSuite>(checks, kADMItemSuite, kADMItemSuiteVersion, {nullptr, ItemHostile, ItemValid});
    Add<ADMListSuite>(checks, kADMListSuite, kADMListSuiteVersion, {nullptr, ListHostile, ListValid});
    Add<ADMEntrySuite>(checks, kADMEntrySuite, kADMEntrySuiteVersion, {nullptr, EntryHostile, EntryValid});
    Add<ADMTrackerSuite>(checks, kADMTrackerSuite, kADMTrackerSuiteVersion, {nullptr, TrackerHostile, TrackerValid});
}

}  // namespace easel::validate::host_suites
