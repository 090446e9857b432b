// LayersPanel.h: the Layers panel beside the page: every layer, topmost first, each row with
// its visibility ("[x]" shown, "[ ]" hidden) and lock ("[L]" locked) that a click toggles, and
// its name; a click on the name makes the layer current. Below: New, Delete, Rename, Up, Down.
//
// The panel only shows and asks: each request goes to the handlers, which edit the document
// (document/LayerEdit.h) and call Show again.
#pragma once

#include <FL/Fl_Group.H>

#include <functional>

#include "document/Document.h"

class Fl_Button;

namespace easel::gui {

class LayerList;

struct LayerHandlers {
    std::function<void(LayerId)> choose;         // make current
    std::function<void(LayerId)> toggleVisible;
    std::function<void(LayerId)> toggleLocked;
    std::function<void()> insert;                // New
    std::function<void()> remove;                // Delete (the current layer)
    std::function<void()> rename;                // Rename (the current layer)
    std::function<void(bool up)> move;           // Up / Down (the current layer)
};

class LayersPanel : public Fl_Group {
public:
    // Row geometry, pixels: the toggles' columns from the list's left edge.
    static constexpr int kVisibleColumn = 30, kLockedColumn = 30;

    LayersPanel(int x, int y, int w, int h, LayerHandlers handlers);
    // Shows the layers of `doc`, the current one selected.
    void Show(const Document& doc);

private:
    LayerHandlers handlers_;
    LayerList* list_ = nullptr;
    Fl_Button* up_ = nullptr;
    Fl_Button* down_ = nullptr;
    Fl_Button* remove_ = nullptr;
};

}  // namespace easel::gui
