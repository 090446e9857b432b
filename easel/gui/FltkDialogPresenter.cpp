#include "gui/FltkDialogPresenter.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Choice.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Repeat_Button.H>
#include <FL/Fl_Return_Button.H>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <unordered_map>

#include "dialogs/DialogModel.h"
#include "dialogs/SpinEditRules.h"
#include "gui/DocumentWindow.h"
#include "gui/PageView.h"

namespace easel::gui {

namespace {

// "MS Sans Serif" 8 is 11 pixels high at 96 dpi; FLTK's sans face is wider, so one size less
// keeps the templates' one-line texts on one line.
constexpr Fl_Fontsize kTextSize = 10;

int Width(const ADMRect& r) { return std::max(0, r.right - r.left); }
int Height(const ADMRect& r) { return std::max(0, r.bottom - r.top); }

// A spin edit: a number field with an up and a down arrow. The arrows, the Up and Down keys in
// the field and the mouse wheel over the field while it has the focus step the value as
// SteppedValue says (Shift: ten steps); the field shows ConciseSpinText's number and takes a
// typed one on Enter or when the focus leaves. Each new value is the widget's callback, which
// gives it to the model; the model's answer comes back through Show.
class SpinField final : public Fl_Group {
public:
    SpinField(int x, int y, int w, int h) : Fl_Group(x, y, w, h) {
        const int arrows = std::min(w / 2, h / 2 + 2);
        field_ = new Field(x, y, w - arrows, h);
        up_ = new Fl_Repeat_Button(x + w - arrows, y, arrows, h / 2, "@-48>");
        down_ = new Fl_Repeat_Button(x + w - arrows, y + h / 2, arrows, h - h / 2, "@-42>");
        end();
        field_->when(FL_WHEN_ENTER_KEY | FL_WHEN_RELEASE);
        field_->callback(&SpinField::OnTyped, this);
        for (Fl_Repeat_Button* b : {up_, down_}) {
            b->labelcolor(FL_DARK3);
            b->clear_visible_focus();  // the focus stays in the field
        }
        up_->callback(&SpinField::OnArrow, this);
        down_->callback(&SpinField::OnArrow, this);
    }

    void textsize(Fl_Fontsize size) { field_->textsize(size); }
    double Value() const { return value_; }

    // The model's value, decimals and limits.
    void Show(double value, int32_t precision, double minimum, double maximum) {
        value_ = value;
        precision_ = precision;
        minimum_ = minimum;
        maximum_ = maximum;
        field_->type(SpinDecimals(precision) > 0 ? FL_FLOAT_INPUT : FL_INT_INPUT);
        field_->value(ConciseSpinText(value, precision).c_str());
        field_->clear_changed();
        field_->position(0);  // the number's start, should it not fit
    }

    int handle(int event) override {
        if (event == FL_MOUSEWHEEL && Fl::focus() == field_) return Wheel();
        return Fl_Group::handle(event);
    }

private:
    class Field final : public Fl_Input {
    public:
        using Fl_Input::Fl_Input;
        int handle(int event) override {
            auto* spin = static_cast<SpinField*>(parent());
            if (event == FL_KEYBOARD && (Fl::event_key() == FL_Up || Fl::event_key() == FL_Down)) {
                spin->Step(Fl::event_key() == FL_Up ? 1 : -1);
                return 1;
            }
            if (event == FL_MOUSEWHEEL && Fl::focus() == this) return spin->Wheel();
            return Fl_Input::handle(event);
        }
    };

    int Wheel() {
        // Wheel up is a negative dy; Shift turns some systems' wheels sideways.
        const int turn = Fl::event_dy() != 0 ? Fl::event_dy() : Fl::event_dx();
        if (turn == 0) return 0;
        Step(turn < 0 ? 1 : -1);
        return 1;
    }

    void Step(int32_t presses) {
        if (!active_r()) return;
        // A number typed and not yet taken is where the step starts.
        if (field_->changed()) Typed();
        value_ = SteppedValue(value_, presses, Fl::event_state(FL_SHIFT) != 0, precision_, minimum_, maximum_);
        field_->value(ConciseSpinText(value_, precision_).c_str());
        field_->clear_changed();
        do_callback();
    }

    // The field's text as the value; text that is no number leaves the value as it was.
    void Typed() {
        const char* text = field_->value();
        char* end = nullptr;
        const double typed = std::strtod(text, &end);
        if (end != text) value_ = typed;
        field_->clear_changed();
    }

    static void OnArrow(Fl_Widget* button, void* data) {
        auto* spin = static_cast<SpinField*>(data);
        spin->Step(button == spin->up_ ? 1 : -1);
    }

    static void OnTyped(Fl_Widget*, void* data) {
        auto* spin = static_cast<SpinField*>(data);
        spin->Typed();
        spin->do_callback();
    }

    Field* field_;
    Fl_Repeat_Button* up_;
    Fl_Repeat_Button* down_;
    double value_ = 0, minimum_ = 0, maximum_ = 0;
    int32_t precision_ = 0;
};

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
                TellPosition();
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
            case DialogChange::Bounds:
                if (!tellingPosition_) Place();
                break;
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
    };

    Fl_Widget* WidgetOf(const ItemModel& item) const {
        const auto it = widgets_.find(item.Serial());
        return it == widgets_.end() ? nullptr : it->second->widget;
    }

    // Where the model says (a plug-in puts its dialog back where the user left it), kept on the
    // screen; a dialog at the screen's corner (a template's 0, 0) opens beside the document
    // window where the screen has room, else inside its right edge, so that the preview in the
    // middle of the page stays in sight.
    void Place() {
        const ADMRect& b = dialog_.Bounds();
        int x = b.left, y = b.top;
        const int w = std::max(1, Width(b)), h = std::max(1, Height(b));
        if (x == 0 && y == 0 && owner_) {
            const Fl_Window& o = owner_->Window();
            x = o.x() + o.w() + 8 + w <= Fl::w() ? o.x() + o.w() + 8 : std::max(0, o.x() + o.w() - w - 8);
            y = o.y() + 32;
        } else {
            x = std::clamp(x, 0, std::max(0, Fl::w() - w));
            y = std::clamp(y, 0, std::max(0, Fl::h() - h));
        }
        window_->resize(x, y, w, h);
    }

    // Where the user has moved the window, into the model, before any event that may end the
    // dialog: the plug-in keeps the dialog's position with its settings as it closes.
    void TellPosition() {
        if (!window_->shown()) return;
        tellingPosition_ = true;
        dialog_.UserMove(window_->x(), window_->y());
        tellingPosition_ = false;
    }

    void Create(const ItemModel& item) {
        const ADMRect& r = item.Bounds();
        const int x = r.left, y = r.top, w = Width(r), h = Height(r);
        Fl_Widget* widget = nullptr;
        window_->begin();
        switch (item.Kind()) {
            case ItemKind::SpinEdit: {
                auto* s = new SpinField(x, y, w, h);
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
        auto binding = std::make_unique<Binding>(Binding{this, item.Id(), widget});
        widget->callback(&DialogView::OnEdit, binding.get());
        widgets_[item.Serial()] = std::move(binding);
        Fill(item, widget);
        if (!item.Visible()) widget->hide();
        if (!item.Enabled()) widget->deactivate();
        window_->redraw();
    }

    // The item's value, text, limits and entries into its widget.
    void Fill(const ItemModel& item, Fl_Widget* widget) {
        switch (item.Kind()) {
            case ItemKind::SpinEdit:
                static_cast<SpinField*>(widget)->Show(item.Value(), item.Precision(), item.Minimum(), item.Maximum());
                break;
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
        view.TellPosition();
        switch (item->Kind()) {
            case ItemKind::SpinEdit:
                view.dialog_.UserSetValue(b->id, static_cast<SpinField*>(widget)->Value());
                // The model's number, kept within the limits, in the field again even when it did
                // not change (a typed 40.0 for 40) or was refused.
                if (view.dialog_.Item(b->id) == item) view.Fill(*item, widget);
                break;
            case ItemKind::CheckBox:
                view.Refused(*item, view.dialog_.UserSetValue(b->id, static_cast<Fl_Check_Button*>(widget)->value()));
                break;
            case ItemKind::PopupList:
                view.Refused(*item, view.dialog_.UserChooseEntry(b->id, static_cast<Fl_Choice*>(widget)->value()));
                break;
            case ItemKind::PictureButton:
                // Only a button whose track handler reads the click's point takes a pick (the
                // settings dialog's pick buttons 190 to 193); Shift on any other, such as a tab,
                // is a press.
                if (Fl::event_state(FL_SHIFT) && view.owner_ && item->TrackProc()) {
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
        if (view->dialog_.Ended()) return;
        view->TellPosition();
        view->dialog_.UserClose();
    }

    DialogModel& dialog_;
    DocumentWindow* owner_;
    std::unique_ptr<Fl_Double_Window> window_;
    std::unordered_map<uint32_t, std::unique_ptr<Binding>> widgets_;  // by item serial
    bool picking_ = false;
    bool tellingPosition_ = false;
};

}  // namespace

int32_t FltkDialogPresenter::RunModal(DialogModel& dialog) {
    DialogView view(dialog, owner_);
    return view.Run();
}

}  // namespace easel::gui
