// "ADM Dialog Suite" v3: modal dialogs built from the plug-in's dialog templates.
//
// Easel runs headless for now: a modal dialog is built, initialised by the plug-in, written to
// stderr ("dialog: TITLE" and its items' texts), recorded, and then ended as if the user had
// pressed Enter: its default item (1) is notified, and the dialog ends with 1 unless the
// notification ended it otherwise. The scripted driver and the window come later.
#include <cstdint>
#include <cstdio>

#include "ADMDialog.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

constexpr int32_t kDefaultItem = 1;

// The notifier handed to notify procs; the headless loop sends only user changes.
struct Notifier {
    const char* type;
};
Notifier gUserChanged{kADMUserChangedNotifier};

std::unique_ptr<DialogModel> BuildDialog(Runtime& rt, SPPluginRef plugin, const char* name, int32_t resId,
                                         ADMUserData userData) {
    const PluginRecord* p = rt.FindPlugin(plugin);
    if (!p || !p->resources || resId < 0 || resId > 0xFFFF) return nullptr;
    std::optional<DialogTemplate> tpl;
    try {
        tpl = p->resources->Dialog(static_cast<uint32_t>(resId));
    } catch (const ResourceError& e) {
        std::fprintf(stderr, "dialog %d: %s\n", static_cast<int>(resId), e.what());
        return nullptr;
    }
    if (!tpl) return nullptr;
    auto dialog = std::make_unique<DialogModel>();
    dialog->name = name ? name : "";
    dialog->resourceId = resId;
    dialog->title = tpl->title;
    dialog->userData = userData;
    for (const DialogItem& i : tpl->items) {
        auto item = std::make_unique<ItemModel>();
        item->dialog = dialog.get();
        item->id = i.id;
        item->className = i.className;
        item->text = i.text;
        dialog->items.push_back(std::move(item));
    }
    return dialog;
}

ItemModel* ItemOf(DialogModel& d, int32_t id) {
    for (auto& i : d.items)
        if (i->id == id) return i.get();
    return nullptr;
}

void Show(Runtime& rt, const DialogModel& d) {
    std::fprintf(stderr, "dialog: %s\n", d.title.c_str());
    DialogRecord record{d.name, d.resourceId, d.title, {}, 0};
    for (const auto& i : d.items) {
        if (!i->text.empty()) std::fprintf(stderr, "  %s\n", i->text.c_str());
        record.items.emplace_back(i->id, i->text);
    }
    rt.dialogs.push_back(std::move(record));
}

int32_t Modal(SPPluginRef plugin, const char* name, int32_t resId, int32_t, ADMDialogInitProc initProc,
              ADMUserData userData) {
    Runtime* rt = Runtime::live;
    if (!rt) return -1;
    DialogModel* d = nullptr;
    try {
        std::unique_ptr<DialogModel> built = BuildDialog(*rt, plugin, name, resId, userData);
        if (!built) return -1;
        d = built.get();
        rt->openDialogs.push_back(std::move(built));
    } catch (...) {
        return -1;
    }
    // Closing drops this dialog whatever the plug-in did in between: its handles die with it.
    auto close = [rt, d] { std::erase_if(rt->openDialogs, [d](const auto& o) { return o.get() == d; }); };
    const auto ref = reinterpret_cast<ADMDialogRef>(d);
    if (initProc && initProc(ref) != kSPNoError) {
        close();
        return -1;
    }
    size_t recordIndex = SIZE_MAX;
    try {
        Show(*rt, *d);
        recordIndex = rt->dialogs.size() - 1;
    } catch (...) {
        // The record is for tests; the dialog still runs.
    }
    if (!d->ended) {
        ItemModel* item = ItemOf(*d, kDefaultItem);
        if (item && item->notify)
            item->notify(reinterpret_cast<ADMItemRef>(item), reinterpret_cast<ADMNotifierRef>(&gUserChanged));
        if (!d->ended) {
            d->ended = true;
            d->result = kDefaultItem;
        }
    }
    const int32_t result = d->result;
    if (recordIndex < rt->dialogs.size()) rt->dialogs[recordIndex].result = result;
    close();
    return result;
}

ADMUserData GetUserData(ADMDialogRef dialog) {
    Runtime* rt = Runtime::live;
    DialogModel* d = rt ? rt->FindDialog(dialog) : nullptr;
    return d ? d->userData : nullptr;
}

ADMItemRef GetItem(ADMDialogRef dialog, int32_t itemId) {
    Runtime* rt = Runtime::live;
    DialogModel* d = rt ? rt->FindDialog(dialog) : nullptr;
    ItemModel* item = d ? ItemOf(*d, itemId) : nullptr;
    return reinterpret_cast<ADMItemRef>(item);
}

void EndModal(ADMDialogRef dialog, int32_t itemId) {
    Runtime* rt = Runtime::live;
    DialogModel* d = rt ? rt->FindDialog(dialog) : nullptr;
    if (!d || d->ended) return;
    d->ended = true;
    d->result = itemId;
}

const ADMDialogSuite kTable = {Modal, GetUserData, GetItem, EndModal, nullptr, nullptr, nullptr, nullptr};

}  // namespace

const void* ADMDialogSuiteTable() { return &kTable; }

}  // namespace easel
