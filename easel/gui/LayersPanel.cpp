#include "gui/LayersPanel.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Hold_Browser.H>

#include <string>
#include <vector>

#include "document/LayerEdit.h"

namespace easel::gui {

namespace {

constexpr int kTitleHeight = 22;
constexpr int kButtonHeight = 25;
constexpr int kGap = 4;

}  // namespace

// The list: a press in a toggle's column toggles it (and leaves the choice of row alone); any
// other press chooses the row.
class LayerList : public Fl_Hold_Browser {
public:
    LayerList(int x, int y, int w, int h, const LayerHandlers& handlers)
        : Fl_Hold_Browser(x, y, w, h), handlers_(handlers) {}
    std::vector<LayerId> ids;  // by line, from 1; ids[0] unused

    int handle(int event) override {
        if (event == FL_PUSH && Fl::event_button() == FL_LEFT_MOUSE) {
            const int column = Fl::event_x() - x() - Fl::box_dx(box());
            if (column < LayersPanel::kVisibleColumn + LayersPanel::kLockedColumn) {
                const int line = lineno(find_item(Fl::event_y()));
                if (line > 0 && static_cast<size_t>(line) < ids.size()) {
                    const LayerId id = ids[static_cast<size_t>(line)];
                    // The handler shows the panel again: nothing of this list is used after it.
                    if (column < LayersPanel::kVisibleColumn) handlers_.toggleVisible(id);
                    else handlers_.toggleLocked(id);
                    return 1;
                }
            }
        }
        return Fl_Hold_Browser::handle(event);
    }

private:
    const LayerHandlers& handlers_;
};

LayersPanel::LayersPanel(int x, int y, int w, int h, LayerHandlers handlers)
    : Fl_Group(x, y, w, h), handlers_(std::move(handlers)) {
    box(FL_FLAT_BOX);
    auto* title = new Fl_Box(x + kGap, y, w - 2 * kGap, kTitleHeight, "Layers");
    title->align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT);
    title->labelfont(FL_HELVETICA_BOLD);
    title->labelsize(13);
    const int buttonsTop = y + h - 2 * kButtonHeight - 3 * kGap;
    list_ = new LayerList(x + kGap, y + kTitleHeight, w - 2 * kGap, buttonsTop - y - kTitleHeight, handlers_);
    static const int columns[] = {kVisibleColumn, kLockedColumn, 0};
    list_->column_widths(columns);
    list_->column_char('\t');
    list_->textsize(13);
    list_->when(FL_WHEN_CHANGED);
    list_->callback([](Fl_Widget* widget, void* data) {
        auto* list = static_cast<LayerList*>(widget);
        const int line = list->value();
        if (line > 0 && static_cast<size_t>(line) < list->ids.size())
            static_cast<LayersPanel*>(data)->handlers_.choose(list->ids[static_cast<size_t>(line)]);
    }, this);

    const int third = (w - 4 * kGap) / 3;
    const int row1 = buttonsTop + kGap, row2 = row1 + kButtonHeight + kGap;
    auto* insert = new Fl_Button(x + kGap, row1, third, kButtonHeight, "New");
    remove_ = new Fl_Button(x + 2 * kGap + third, row1, third, kButtonHeight, "Delete");
    auto* rename = new Fl_Button(x + 3 * kGap + 2 * third, row1, third, kButtonHeight, "Rename");
    const int half = (w - 3 * kGap) / 2;
    up_ = new Fl_Button(x + kGap, row2, half, kButtonHeight, "Up");
    down_ = new Fl_Button(x + 2 * kGap + half, row2, half, kButtonHeight, "Down");
    for (Fl_Button* b : {insert, remove_, rename, up_, down_}) {
        b->labelsize(12);
        b->clear_visible_focus();  // keys stay with the list and the page
    }
    const auto call = [](Fl_Widget*, void* data) { (*static_cast<std::function<void()>*>(data))(); };
    insert->callback(call, &handlers_.insert);
    remove_->callback(call, &handlers_.remove);
    rename->callback(call, &handlers_.rename);
    up_->callback([](Fl_Widget*, void* d) { static_cast<LayersPanel*>(d)->handlers_.move(true); }, this);
    down_->callback([](Fl_Widget*, void* d) { static_cast<LayersPanel*>(d)->handlers_.move(false); }, this);
    resizable(list_);
    end();
}

void LayersPanel::Show(const Document& doc) {
    list_->clear();
    list_->ids.assign(1, 0);
    for (size_t position = 0; position < doc.layers.size(); ++position) {
        const Layer& layer = *doc.FindLayer(LayerAtPosition(doc, position));
        std::string name = layer.name;
        for (char& c : name)
            if (c == '\t' || c == '\n') c = ' ';
        const std::string row = std::string(layer.visible ? "[x]" : "[ ]") + "\t" + (layer.locked ? "[L]" : "") +
                                "\t@." + name;  // "@.": the name as it is, '@' and all
        list_->add(row.c_str());
        list_->ids.push_back(layer.id);
        if (layer.id == doc.currentLayer) list_->select(list_->size());
    }
    const size_t current = PositionOfLayer(doc, doc.currentLayer);
    if (current == 0) up_->deactivate(); else up_->activate();
    if (current + 1 >= doc.layers.size()) down_->deactivate(); else down_->activate();
    if (doc.layers.size() < 2) remove_->deactivate(); else remove_->activate();
}

}  // namespace easel::gui
