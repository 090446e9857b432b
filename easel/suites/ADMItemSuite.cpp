// "ADM Item Suite" v4: the items of an open dialog. Every handle is checked against the open
// dialogs before it is followed, so a stale or forged item is ignored.
#include "ADMDialog.h"
#include "ADMItem.h"
#include "suites/Runtime.h"

namespace easel {
namespace {

ItemModel* Find(ADMItemRef item) {
    Runtime* rt = Runtime::live;
    return rt ? rt->FindItem(item) : nullptr;
}

void SetNotifyProc(ADMItemRef item, ADMItemNotifyProc proc) {
    if (ItemModel* i = Find(item)) i->notify = proc;
}

void DefaultNotify(ADMItemRef item, ADMNotifierRef) {
    ItemModel* i = Find(item);
    if (!i || (i->id != 1 && i->id != 2) || i->dialog->ended) return;
    i->dialog->ended = true;
    i->dialog->result = i->id;
}

void SetText(ADMItemRef item, const char* text) {
    ItemModel* i = Find(item);
    if (!i || !text) return;
    try {
        i->text = text;
    } catch (...) {
        // Out of memory: the item keeps its old text.
    }
}

ADMDialogRef GetDialog(ADMItemRef item) {
    ItemModel* i = Find(item);
    return i ? reinterpret_cast<ADMDialogRef>(i->dialog) : nullptr;
}

int32_t GetID(ADMItemRef item) {
    ItemModel* i = Find(item);
    return i ? i->id : 0;
}

const ADMItemSuite kTable = {SetNotifyProc, DefaultNotify, SetText, GetDialog, GetID, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr};

}  // namespace

const void* ADMItemSuiteTable() { return &kTable; }

}  // namespace easel
