// "ADM Dialog Suite" v3: modal dialogs built from the plug-in's dialog templates.
//
// Modal builds the dialog's model from the template (easel/dialogs/), runs the plug-in's init
// handler, records the dialog for tests, and hands it to the Host's presenter, which runs the
// modal loop: the headless one (ends with the default item, or plays the command line's
// actions) or a window. Every handle is looked up in the dialog manager before it is followed,
// so a stale or forged one is ignored.
#include <cstdint>
#include <cstdio>

#include "ADMDialog.h"
#include "dialogs/DialogTemplates.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

DialogModel* Find(ADMDialogRef dialog) {
    Runtime* rt = Runtime::live;
    return rt ? rt->dialogManager.Find(dialog) : nullptr;
}

std::optional<DialogTemplate> TemplateOf(Runtime& rt, SPPluginRef plugin, int32_t resId) {
    const PluginRecord* p = rt.FindPlugin(plugin);
    if (!p || !p->resources || resId < 0 || resId > 0xFFFF) return std::nullopt;
    try {
        return p->resources->Dialog(static_cast<uint32_t>(resId));
    } catch (const ResourceError& e) {
        std::fprintf(stderr, "dialog %d: %s\n", static_cast<int>(resId), e.what());
        return std::nullopt;
    }
}

void Record(Runtime& rt, const DialogModel& d) {
    DialogRecord record{d.Name(), d.ResourceId(), d.Title(), {}, 0};
    for (const auto& i : d.Items()) record.items.emplace_back(i->Id(), i->ShownText());
    rt.dialogs.push_back(std::move(record));
}

int32_t SPAPI Modal(SPPluginRef plugin, const char* name, int32_t resId, int32_t, ADMDialogInitProc initProc,
                    ADMUserData userData) noexcept {
    Runtime* rt = Runtime::live;
    if (!rt) return -1;
    DialogModel* d = nullptr;
    try {
        const std::optional<DialogTemplate> tpl = TemplateOf(*rt, plugin, resId);
        if (!tpl) return -1;
        d = &rt->dialogManager.Open(name ? name : "", resId);
        BuildFromTemplate(*d, *tpl);
        d->SetUserData(userData);
    } catch (...) {
        if (d) rt->dialogManager.Close(*d);
        return -1;
    }
    // Closing drops the dialog whatever happened in between: its handles die with it.
    struct Closer {
        Runtime* rt;
        DialogModel* d;
        ~Closer() { rt->dialogManager.Close(*d); }
    } closer{rt, d};
    if (initProc && initProc(rt->dialogManager.Ref(*d)) != kSPNoError) return -1;
    size_t recordIndex = SIZE_MAX;
    try {
        Record(*rt, *d);
        recordIndex = rt->dialogs.size() - 1;
    } catch (...) {
        // The record is for tests; the dialog still runs.
    }
    if (!d->Ended()) {
        // The window runs while the dialog is up and may change the document.
        rt->ForgetWriteCursor();
        try {
            const int32_t shown = rt->Presenter().RunModal(*d);
            d->End(shown);  // a presenter that returned early ends the dialog with its answer
        } catch (...) {
            d->End(-1);  // the window failed: the dialog ends as if closed, with no item
        }
    }
    rt->ForgetWriteCursor();
    const int32_t result = d->Result();
    if (recordIndex < rt->dialogs.size()) rt->dialogs[recordIndex].result = result;
    return result;
}

ADMUserData SPAPI GetUserData(ADMDialogRef dialog) noexcept {
    const DialogModel* d = Find(dialog);
    return d ? d->UserData() : nullptr;
}

ADMItemRef SPAPI GetItem(ADMDialogRef dialog, int32_t itemId) noexcept {
    const DialogModel* d = Find(dialog);
    const ItemModel* item = d ? d->Item(itemId) : nullptr;
    return item ? d->Manager().Ref(*item) : nullptr;
}

void SPAPI EndModal(ADMDialogRef dialog, int32_t itemId) noexcept {
    if (DialogModel* d = Find(dialog)) d->End(itemId);
}

ADMItemRef SPAPI CreateItem(ADMDialogRef dialog, int32_t itemId, const char* itemType, const ADMRect* bounds) noexcept {
    DialogModel* d = Find(dialog);
    if (!d || !itemType || !bounds) return nullptr;
    const std::optional<ItemKind> kind = ItemKindNamed(itemType);
    if (!kind) return nullptr;
    try {
        const ItemModel* item = d->CreateItem(itemId, *kind, itemType, *bounds);
        return item ? d->Manager().Ref(*item) : nullptr;
    } catch (...) {
        return nullptr;  // out of memory: no item
    }
}

void SPAPI SetBoundsRect(ADMDialogRef dialog, const ADMRect* bounds) noexcept {
    DialogModel* d = Find(dialog);
    if (d && bounds) d->SetBounds(*bounds);
}

void SPAPI GetBoundsRect(ADMDialogRef dialog, ADMRect* bounds) noexcept {
    if (!bounds) return;
    const DialogModel* d = Find(dialog);
    *bounds = d ? d->Bounds() : ADMRect{0, 0, 0, 0};
}

void SPAPI Size(ADMDialogRef dialog, int32_t width, int32_t height) noexcept {
    if (DialogModel* d = Find(dialog)) d->Resize(width, height);
}

const ADMDialogSuite kTable = {Modal, GetUserData, GetItem, EndModal, CreateItem, SetBoundsRect, GetBoundsRect, Size};

}  // namespace

const void* ADMDialogSuiteTable() { return &kTable; }

}  // namespace easel
