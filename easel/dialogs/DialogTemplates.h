// DialogTemplates.h: a dialog model built from a module's dialog template (About, the error
// dialog, the empty frame the settings dialog starts from).
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "dialogs/DialogModel.h"
#include "resources/ModuleResources.h"

namespace easel {

// Dialog units to pixels as the system does for the templates' font, "MS Sans Serif" 8 at
// 96 dpi: a horizontal unit is a quarter of the font's average width (6 pixels), a vertical
// unit an eighth of its height (13 pixels), each rounded to the nearest pixel.
int32_t DialogUnitsToPixelsX(int32_t units);
int32_t DialogUnitsToPixelsY(int32_t units);
ADMRect DialogUnitsToPixels(int32_t x, int32_t y, int32_t cx, int32_t cy);

// The kind a template item shows as: buttons by their style (push, default push, owner-drawn:
// push button; with a bitmap or icon: picture button; check boxes and radio buttons: check
// box; group boxes: static text), "ComboBox" and "ListBox" as popup lists, everything else
// (static texts, edits, scroll bars, other classes) as static text showing its text.
ItemKind TemplateItemKind(const DialogItem& item);

// Gives `dialog` the template's title and bounds (in pixels, at the template's position) and
// one item per template item, in template order, identifiers as in the template (repeated
// ones included: GetItem finds the first).
void BuildFromTemplate(DialogModel& dialog, const DialogTemplate& dialogTemplate);

}  // namespace easel
