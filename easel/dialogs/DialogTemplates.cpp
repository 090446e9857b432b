#include "dialogs/DialogTemplates.h"

namespace easel {
namespace {

// MulDiv: the product over the divisor, rounded half away from zero.
int32_t MulDiv(int32_t value, int32_t times, int32_t over) {
    const int64_t product = int64_t{value} * times;
    const int64_t half = over / 2;
    return static_cast<int32_t>(product >= 0 ? (product + half) / over : -((-product + half) / over));
}

constexpr int32_t kBaseUnitX = 6;   // average character width of "MS Sans Serif" 8, pixels
constexpr int32_t kBaseUnitY = 13;  // its height

}  // namespace

int32_t DialogUnitsToPixelsX(int32_t units) { return MulDiv(units, kBaseUnitX, 4); }
int32_t DialogUnitsToPixelsY(int32_t units) { return MulDiv(units, kBaseUnitY, 8); }

ADMRect DialogUnitsToPixels(int32_t x, int32_t y, int32_t cx, int32_t cy) {
    const int32_t left = DialogUnitsToPixelsX(x), top = DialogUnitsToPixelsY(y);
    return {left, top, left + DialogUnitsToPixelsX(cx), top + DialogUnitsToPixelsY(cy)};
}

ItemKind TemplateItemKind(const DialogItem& item) {
    if (item.className == "Button") {
        constexpr uint32_t kBitmapOrIcon = 0x40 | 0x80;  // BS_ICON, BS_BITMAP
        switch (item.style & 0xF) {
            case 0x0: case 0x1: case 0xB:  // push, default push, owner-drawn
                return (item.style & kBitmapOrIcon) ? ItemKind::PictureButton : ItemKind::PushButton;
            case 0x7: return ItemKind::TextStatic;  // group box
            default: return ItemKind::CheckBox;     // check boxes, three-state boxes, radio buttons
        }
    }
    if (item.className == "ComboBox" || item.className == "ListBox") return ItemKind::PopupList;
    return ItemKind::TextStatic;
}

void BuildFromTemplate(DialogModel& dialog, const DialogTemplate& t) {
    dialog.SetTitle(t.title);
    dialog.SetBounds(DialogUnitsToPixels(t.x, t.y, t.cx, t.cy));
    for (const DialogItem& i : t.items) {
        ItemModel* item = dialog.AddTemplateItem(i.id, TemplateItemKind(i), i.className,
                                            DialogUnitsToPixels(i.x, i.y, i.cx, i.cy));
        if (item) item->SetText(i.text);
    }
}

}  // namespace easel
