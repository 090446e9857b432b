#include "gui/FltkDialogPresenter.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Spinner.H>

#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include "dialogs/DialogModel.h"
#include "gui/DocumentWindow.h"
#include "gui/PageView.h"

namespace easel::gui {

namespace {

// "MS Sans Serif" 8 is 11 pixels high at 96 dpi; FLTK's sans face is wider, so one size less
// keeps the templates' one-line texts on one line.
constexpr Fl_Fontsize kTextSize = 10;

int Width(const ADMRect& r) { return std::max(0, r.right - r.left); }
int Height(const ADMRect& r) { return std::max(0, r.bottom - r.top); }

// One open dialog: its window, a widget per item, and the observer that keeps them in step.
class DialogView final : public DialogObserver {
public:
    DialogView(DialogModel& dialog, DocumentWindow* owner) : dialog_(dialog), owner_(owner) {
        const ADMRect& b = dialog.Bounds();
        window_ = std::make_unique<Fl_Double_Window>(std::max(1, Width(b)), std::max(1, Height(b)));
        window_->copy_label(dialog.Title().c_str());
        window_->callback(&DialogView::OnClose, this);
        window_->end();
        for (const auto& item : dialog.Items()) Create(*item);
        Place();
        dialog.AddObserver(this);
    }

    ~DialogView() override {
        dialog_.RemoveObserver(this);
        if (picking_ && owner_) owner_->View().CancelPick();
        window_->hide();
    }

    // The modal loop: until the model has ended. Other windows stay usable (a pick is a click in
    // the document window), but the model refuses events for a dialog under another one.
    int32_t Run() {
        window_->set_non_modal();
        window_->show();
        while (!dialog_.Ended()) {
            if (!window_->shown()) {
                dialog_.UserClose();
                break;
            }
            Fl::wait(0.1);
        }
        return dialog_.Result();
    }

    // ---- DialogObserver ----
    void ItemChanged(const ItemModel& item, ItemChange change) override {
        if (change == ItemChange::Created) {
            Create(item);
            return;
        }
        Fl_Widget* w = WidgetOf(item);
        if (!w) return;
        switch (change) {
            case ItemChange::Value:
            case ItemChange::Limits:
            case ItemChange::Entries:
            case ItemChange::Text: Fill(item, w); break;
            case ItemChange::Shown: item.Visible() ? w->show() : w->hide(); break;
            case ItemChange::Enabled: item.Enabled() ? w->activate() : w->deactivate(); break;
            case ItemChange::Bounds: {
                const ADMRect& r = item.Bounds();
                w->resize(r.left, r.top, Width(r), Height(r));
                window_->redraw();
                break;
            }
            case ItemChange::Created: break;
        }
        w->redraw();
    }

    void DialogChanged(const DialogModel& dialog, DialogChange change) override {
        switch (change) {
            case DialogChange::Title: window_->copy_label(dialog.Title().c_str()); break;
            case DialogChange::Bounds: Place(); break;
            case DialogChange::Ended:
                if (picking_ && owner_) owner_->View().CancelPick();
                picking_ = false;
                break;
        }
    }

private:
    struct Binding {
        DialogView* view;
        int32_t id;
        Fl_Widget* widget;
        std::string format;  // a spinner's printf format, which FLTK keeps by address
    };

    Fl_Widget* WidgetOf(const ItemModel& item) const {
        const auto it = widgets_.find(item.Serial());
        return it == widgets_.end() ? nullptr : it->second->widget;
    }

    // Where the model says; a dialog at the screen's corner (a template's 0, 0) opens beside the
    // document window where the screen has room, else inside its right edge, so that the
    // preview in the middle of the page stays in sight.
    void Place() {
        const ADMRect& b = dialog_.Bounds();
        int x = b.left, y = b.top;
        const int w = std::max(1, Width(b)), h = std::max(1, Height(b));
        if (x == 0 && y == 0 && owner_) {
            const Fl_Window& o = owner_->Window();
            x = o.x() + o.w() + 8 + w <= Fl::w() ? o.x() + o.w() + 8 : std::max(0, o.x() + o.w() - w - 8);
            y = o.y() + 32;
        }
        window_->resize(x, y, w, h);
    }

    void Create(const ItemModel& item) {
        const ADMRect& r = item.Bounds();
        const int x = r.left, y = r.top, w = Width(r), h = Height(r);
        Fl_Widget* widget = nullptr;
        window_->begin();
        switch (item.Kind()) {
            case ItemKind::SpinEdit: {
                auto* s = new Fl_Spinner(x, y, w, h);
                s->textsize(kTextSize);
                widget = s;
                break;
            }
            case ItemKind::TextStatic: {
                auto* b = new Fl_Box(x, y, w, h);
                b->align(FL_ALIGN_LEFT | FL_ALIGN_TOP | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
                widget = b;
                break;
            }
            case ItemKind::PopupList: {
                auto* c = new Fl_Choice(x, y, w, h);
                c->textsize(kTextSize);
                widget = c;
                break;
            }
            case ItemKind::CheckBox: widget = new Fl_Check_Button(x, y, w, h); break;
            case ItemKind::PushButton:
                widget = item.Id() == 1 ? new Fl_Return_Button(x, y, w, h) : new Fl_Button(x, y, w, h);
                break;
            case ItemKind::PictureButton: {
                auto* b = new Fl_Button(x, y, w, h);
                b->box(FL_THIN_UP_BOX);
                widget = b;
                break;
            }
        }
        window_->end();
        widget->labelsize(kTextSize);
        auto binding = std::make_unique<Binding>(Binding{this, item.Id(), widget, {}});
        widget->callback(&DialogView::OnEdit, binding.get());
        widgets_[item.Serial()] = std::move(binding);
        Fill(item, widget);
        if (!item.Visible()) widget->hide();
        if (!item.Enabled()) widget->deactivate();
        window_->redraw();
    }

    // The item's value, text, limits and entries into its widget.
    void Fill(const ItemModel& item, Fl_Widget* widget) {
        Binding& binding = *widgets_.at(item.Serial());
        switch (item.Kind()) {
            case ItemKind::SpinEdit: {
                auto* s = static_cast<Fl_Spinner*>(widget);
                const int places = std::clamp(item.Precision(), 0, 10);
                binding.format = "%." + std::to_string(places) + "f";
                s->format(binding.format.c_str());
                s->type(places > 0 ? FL_FLOAT_INPUT : FL_INT_INPUT);
                s->range(item.Minimum(), item.Maximum());
                s->step(std::pow(10.0, -places));
                s->value(item.Value());
                // The number's start, as an edit field shows it, rather than its last decimals.
                if (s->children() > 0)
                    if (auto* input = dynamic_cast<Fl_Input*>(s->child(0))) input->position(0);
                break;
            }
            case ItemKind::TextStatic: widget->copy_label(item.ShownText().c_str()); break;
            case ItemKind::PopupList: {
                auto* c = static_cast<Fl_Choice*>(widget);
                c->clear();
                const ListModel* list = item.List();
                for (size_t i = 0; list && i < list->Size(); ++i)
                    c->add(MenuLabel(list->At(i)->text).c_str(), 0, nullptr, nullptr, 0);
                const int32_t chosen = list ? list->ChosenPosition() : -1;
                if (chosen >= 0) c->value(chosen);
                else c->value(static_cast<const Fl_Menu_Item*>(nullptr));
                break;
            }
            case ItemKind::CheckBox:
                widget->copy_label(item.Text().c_str());
                static_cast<Fl_Check_Button*>(widget)->value(item.Value() != 0 ? 1 : 0);
                break;
            case ItemKind::PushButton:
            case ItemKind::PictureButton: widget->copy_label(item.Text().c_str()); break;
        }
    }

    // A user's edit, as the model's event. The model answers by notifying its observers, which
    // puts the accepted value (clamped, or the old one when refused) back into the widget.
    static void OnEdit(Fl_Widget* widget, void* data) {
        auto* b = static_cast<Binding*>(data);
        DialogView& view = *b->view;
        ItemModel* item = view.dialog_.Item(b->id);
        if (!item || view.dialog_.Ended()) return;
        switch (item->Kind()) {
            case ItemKind::SpinEdit:
                view.Refused(*item, view.dialog_.UserSetValue(b->id, static_cast<Fl_Spinner*>(widget)->value()));
                break;
            case ItemKind::CheckBox:
                view.Refused(*item, view.dialog_.UserSetValue(b->id, static_cast<Fl_Check_Button*>(widget)->value()));
                break;
            case ItemKind::PopupList:
                view.Refused(*item, view.dialog_.UserChooseEntry(b->id, static_cast<Fl_Choice*>(widget)->value()));
                break;
            case ItemKind::PictureButton:
                if (Fl::event_state(FL_SHIFT) && view.owner_) {
                    view.StartPick(b->id);
                    break;
                }
                [[fallthrough]];
            case ItemKind::PushButton: view.Refused(*item, view.dialog_.UserPress(b->id)); break;
            case ItemKind::TextStatic: break;
        }
    }

    // An event the model refused changed nothing there; the widget shows the model again.
    void Refused(const ItemModel& item, UserResult result) {
        if (result == UserResult::Done) return;
        if (dialog_.Item(item.Id()) == &item)
            if (Fl_Widget* w = WidgetOf(item)) Fill(item, w);
    }

    void StartPick(int32_t id) {
        picking_ = true;
        owner_->View().BeginPick([this, id](int h, int v) {
            picking_ = false;
            if (!dialog_.Ended()) dialog_.UserPick(id, h, v);
        });
    }

    static void OnClose(Fl_Widget*, void* data) {
        auto* view = static_cast<DialogView*>(data);
        if (!view->dialog_.Ended()) view->dialog_.UserClose();
    }

    DialogModel& dialog_;
    DocumentWindow* owner_;
    std::unique_ptr<Fl_Double_Window> window_;
    std::unordered_map<uint32_t, std::unique_ptr<Binding>> widgets_;  // by item serial
    bool picking_ = false;
};

}  // namespace

int32_t FltkDialogPresenter::RunModal(DialogModel& dialog) {
    DialogView view(dialog, owner_);
    return view.Run();
}

}  // namespace easel::gui
