// NewDocumentDialog.h: File > New: the page and the colour model of a new document.
//
// A small window: a "Page" list (Letter, A4, A3, Custom), "Width" and "Height" in points
// (editable for Custom only), a "Colour model" list (Gray, RGB, CMYK) and Create / Cancel.
#pragma once

#include <optional>

#include "document/Document.h"

namespace easel::gui {

// A page size offered by name, points (the ISO sizes from their millimetres, 72 points an inch).
struct PageSize {
    const char* name;
    float width, height;
};
inline constexpr PageSize kPageSizes[] = {
    {"Letter", 612.0f, 792.0f},
    {"A4", static_cast<float>(210 * 72 / 25.4), static_cast<float>(297 * 72 / 25.4)},
    {"A3", static_cast<float>(297 * 72 / 25.4), static_cast<float>(420 * 72 / 25.4)},
};
// A custom page's sides may be 1 to this many points (227 inches).
inline constexpr float kMaxPageSide = 16383.0f;

struct NewDocumentChoice {
    float width = 612.0f, height = 792.0f;  // points
    ColorModel model = ColorModel::RGB;
};

// Runs the window (modal), starting from `initial`; nothing when the user cancels or closes it.
std::optional<NewDocumentChoice> AskNewDocument(const NewDocumentChoice& initial);

}  // namespace easel::gui
