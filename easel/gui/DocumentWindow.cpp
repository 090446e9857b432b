#include "gui/DocumentWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Group.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Progress.H>
#include <FL/fl_ask.H>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <system_error>
#include <thread>

#include "document/Progress.h"
#include "export/Export.h"
#include "gui/ExportDialog.h"
#include "gui/PageView.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"

namespace easel::gui {

namespace {

constexpr int kMenuHeight = 25;
constexpr int kRenderBarWidth = 250;  // the render bar and its Cancel, right of the menus
// A render or an export shows its progress once it has taken this long.
constexpr auto kShowProgressAfter = std::chrono::milliseconds(1000);
constexpr double kTick = 0.1;  // seconds between looks at a running render
// Room for the settings dialog beside the window on a 1280-pixel screen.
constexpr int kStartWidth = 800, kStartHeight = 720;

void OnMenu(Fl_Widget*, void* data) {
    auto* a = static_cast<MenuAction*>(data);
    (a->window->*(a->action))();
}

void OnClose(Fl_Widget*, void* data) { static_cast<DocumentWindow*>(data)->Quit(); }

// An export's progress: written by the export's thread, read and stopped from this one.
class ExportProgress : public Progress {
public:
    bool Report(double done) override {
        done_ = done;
        return !stop_;
    }
    std::atomic<double> done_{0};
    std::atomic<bool> stop_{false};
};

}  // namespace

std::string MenuLabel(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '/' || c == '\\' || (c == '_' && i == 0)) out += '\\';
        if (c == '&') out += '&';
        out += c;
    }
    return out;
}

// ---- ApplicationHistory ----------------------------------------------------------------------

void ApplicationHistory::Applied(Application application) {
    undone_.clear();
    done_.push_back(std::move(application));
    if (done_.size() > kMaxApplications) done_.erase(done_.begin());
}

const Document* ApplicationHistory::Undo() {
    if (done_.empty()) return nullptr;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    return &undone_.back().before;
}

const Document* ApplicationHistory::Redo() {
    if (undone_.empty()) return nullptr;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    return &done_.back().after;
}

const std::string& ApplicationHistory::UndoTitle() const {
    static const std::string none;
    return done_.empty() ? none : done_.back().title;
}

const std::string& ApplicationHistory::RedoTitle() const {
    static const std::string none;
    return undone_.empty() ? none : undone_.back().title;
}

// ---- DocumentWindow --------------------------------------------------------------------------

DocumentWindow::DocumentWindow(Host& host, PluginManager& plugin, Document& doc, std::string pluginName)
    : host_(host), plugin_(plugin), doc_(doc), pluginName_(std::move(pluginName)) {
    window_ = std::make_unique<Fl_Double_Window>(kStartWidth, kStartHeight, "Easel");
    window_->begin();
    auto* top = new Fl_Group(0, 0, kStartWidth, kMenuHeight);
    top->box(FL_UP_BOX);
    menu_ = new Fl_Menu_Bar(0, 0, kStartWidth - kRenderBarWidth, kMenuHeight);
    renderBar_ = new Fl_Progress(kStartWidth - kRenderBarWidth + 4, 3, kRenderBarWidth - 80, kMenuHeight - 6);
    renderBar_->minimum(0);
    renderBar_->maximum(1);
    renderBar_->selection_color(FL_BLUE);
    renderBar_->labelsize(12);
    renderBar_->hide();
    renderCancel_ = new Fl_Button(kStartWidth - 72, 2, 68, kMenuHeight - 4, "Cancel");
    renderCancel_->labelsize(12);
    renderCancel_->callback([](Fl_Widget*, void* d) { static_cast<DocumentWindow*>(d)->CancelRender(); }, this);
    renderCancel_->hide();
    top->resizable(menu_);
    top->end();
    view_ = new PageView(0, kMenuHeight, kStartWidth, kStartHeight - kMenuHeight);
    window_->end();
    window_->resizable(view_);
    window_->size_range(200, 150);
    window_->callback(OnClose, this);
    view_->OnRenderState([this] { RenderStateChanged(); });
    view_->SetDocument(&doc_);
    BuildMenus();
    host_.SetRedrawHandler([this] { RedrawNow(); });
}

DocumentWindow::~DocumentWindow() {
    host_.SetRedrawHandler(nullptr);
    Fl::remove_timeout(&DocumentWindow::RenderTick, this);
}

void DocumentWindow::Show() { window_->show(); }

void DocumentWindow::BuildMenus() {
    const auto add = [&](const std::string& path, int shortcut, void (DocumentWindow::*action)(), int flags = 0) {
        actions_.push_back(std::make_unique<MenuAction>(MenuAction{this, action}));
        menu_->add(path.c_str(), shortcut, OnMenu, actions_.back().get(), flags);
    };
    menu_->clear();
    actions_.clear();
    add("&File/&Export...", FL_COMMAND + 'e', &DocumentWindow::Export, FL_MENU_DIVIDER);
    add("&File/&Quit", FL_COMMAND + 'q', &DocumentWindow::Quit);
    add("&Edit/&Undo", FL_COMMAND + 'z', &DocumentWindow::Undo);
    add("&Edit/&Redo", FL_COMMAND + FL_SHIFT + 'z', &DocumentWindow::Redo);
    add("&View/Zoom &In", FL_COMMAND + '=', &DocumentWindow::ZoomIn);
    add("&View/Zoom &Out", FL_COMMAND + '-', &DocumentWindow::ZoomOut);
    add("&View/&Fit Page", FL_COMMAND + '0', &DocumentWindow::FitPage);

    const AIFilterHandle runnable = plugin_.Filter();
    for (const FilterInfo& f : host_.Filters()) {
        const std::string path = "Fil&ter/" + MenuLabel(f.category) + "/" + MenuLabel(f.title);
        // Easel runs a plug-in's first filter; any other it registered is listed, inactive.
        add(path, 0, &DocumentWindow::RunFilter, f.handle == runnable ? 0 : FL_MENU_INACTIVE);
    }
    if (host_.Filters().empty()) add("Fil&ter/(no filters)", 0, nullptr, FL_MENU_INACTIVE);
    add("&Help/&About plug-ins/" + MenuLabel(pluginName_), 0, &DocumentWindow::About);
    UpdateMenus();
}

void DocumentWindow::UpdateMenus() {
    const auto set = [&](const char* path, bool on) {
        const int index = menu_->find_index(path);
        if (index < 0) return;
        auto& item = const_cast<Fl_Menu_Item&>(menu_->menu()[index]);
        if (on) item.activate(); else item.deactivate();
    };
    set("&Edit/&Undo", history_.CanUndo());
    set("&Edit/&Redo", history_.CanRedo());
    const AIFilterHandle runnable = plugin_.Filter();
    for (const FilterInfo& f : host_.Filters()) {
        const std::string path = "Fil&ter/" + MenuLabel(f.category) + "/" + MenuLabel(f.title);
        set(path.c_str(), f.handle == runnable && host_.MenuItemEnabled(f.menuItem));
    }
    std::string title = "Easel";
    if (history_.CanUndo()) title += " - after " + history_.UndoTitle();
    window_->copy_label(title.c_str());
}

void DocumentWindow::SetBusy(bool busy) {
    busy_ = busy;
    if (busy) menu_->deactivate(); else menu_->activate();
    menu_->redraw();
}

void DocumentWindow::RedrawNow() {
    // The picture is rendered off this thread: this only copies the art and shows the last
    // picture until the new one arrives.
    view_->DocumentChanged();
    Fl::flush();
}

void DocumentWindow::RenderStateChanged() {
    if (view_->Rendering() && !ticking_) {
        ticking_ = true;
        Fl::add_timeout(kTick, &DocumentWindow::RenderTick, this);
    }
    if (!view_->Rendering()) {
        renderBar_->hide();
        renderCancel_->hide();
    }
}

void DocumentWindow::RenderTick(void* data) {
    auto* self = static_cast<DocumentWindow*>(data);
    PageView& view = *self->view_;
    if (!view.Rendering()) {
        self->ticking_ = false;
        self->renderBar_->hide();
        self->renderCancel_->hide();
        return;
    }
    if (std::chrono::steady_clock::now() - view.RenderingSince() >= kShowProgressAfter) {
        const double done = view.RenderDone();
        static char label[32];
        std::snprintf(label, sizeof label, "Drawing %d%%", static_cast<int>(done * 100));
        self->renderBar_->value(static_cast<float>(done));
        self->renderBar_->label(label);
        self->renderBar_->show();
        self->renderCancel_->show();
        self->renderBar_->redraw();
    }
    Fl::repeat_timeout(kTick, &DocumentWindow::RenderTick, data);
}

void DocumentWindow::CancelRender() {
    view_->CancelRender();
    renderBar_->hide();
    renderCancel_->hide();
}

void DocumentWindow::ShowError(const std::string& message) { fl_alert("%s", message.c_str()); }

void DocumentWindow::RunFilter() {
    if (busy_) return;
    const AIFilterHandle filter = plugin_.Filter();
    std::string title;
    for (const FilterInfo& f : host_.Filters())
        if (f.handle == filter) title = f.title;
    Document before = doc_;
    SetBusy(true);
    try {
        plugin_.RunFilter(doc_);
    } catch (const std::exception& e) {
        SetBusy(false);
        ShowError(e.what());
        return;
    }
    SetBusy(false);
    // Whatever the plug-in left (a failure may leave part of its work), it is one application
    // the user can take back, as long as the document changed. The plug-in shows its own
    // failures in its error dialog; a cancel is silent.
    if (!SameDocument(before, doc_)) history_.Applied({title, std::move(before), doc_});
    UpdateMenus();
    view_->DocumentChanged();
}

void DocumentWindow::About() {
    if (busy_) return;
    SetBusy(true);
    try {
        plugin_.About();
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
    SetBusy(false);
}

void DocumentWindow::Undo() {
    if (busy_) return;
    if (const Document* d = history_.Undo()) host_.ReplaceDocument(doc_, *d);
    view_->SetDocument(&doc_);
    UpdateMenus();
}

void DocumentWindow::Redo() {
    if (busy_) return;
    if (const Document* d = history_.Redo()) host_.ReplaceDocument(doc_, *d);
    view_->SetDocument(&doc_);
    UpdateMenus();
}

void DocumentWindow::Export() {
    if (busy_) return;
    const std::optional<std::string> chosen = AskExportPath(lastExport_.empty() ? "stars.svg" : lastExport_);
    if (!chosen) return;
    const std::string& path = *chosen;
    std::error_code ec;
    if (std::filesystem::exists(path, ec) &&
        fl_choice("\"%s\" exists already. Replace it?", "Cancel", "Replace", nullptr, path.c_str()) != 1)
        return;
    if (WriteWithProgress(doc_, path)) lastExport_ = path;
}

bool DocumentWindow::WriteWithProgress(const Document& doc, const std::string& path) {
    // The export works on a copy, so the window goes on answering (and drawing) meanwhile;
    // the menus are off until it ends.
    const auto copy = std::make_shared<const Document>(doc);
    ExportProgress progress;
    std::atomic<bool> finished{false};
    std::string error;
    bool cancelled = false;
    SetBusy(true);
    std::thread worker([&] {
        try {
            WriteDocumentFile(*copy, path, &progress);
        } catch (const Cancelled&) {
            cancelled = true;
        } catch (const std::exception& e) {
            error = e.what();
        }
        finished = true;
        Fl::awake();
    });

    Fl_Double_Window box(340, 95, "Exporting");
    Fl_Box name(15, 8, 310, 20);
    name.copy_label(std::filesystem::path(path).filename().string().c_str());
    name.align(FL_ALIGN_INSIDE | FL_ALIGN_LEFT | FL_ALIGN_CLIP);
    Fl_Progress bar(15, 30, 310, 22);
    bar.minimum(0);
    bar.maximum(1);
    bar.selection_color(FL_BLUE);
    Fl_Button cancel(255, 62, 70, 25, "Cancel");
    box.end();
    box.set_modal();
    const auto stop = [](Fl_Widget*, void* d) { static_cast<ExportProgress*>(d)->stop_ = true; };
    cancel.callback(stop, &progress);
    box.callback(stop, &progress);  // the close box
    const auto start = std::chrono::steady_clock::now();
    while (!finished) {
        Fl::wait(kTick);
        if (!box.shown() && !progress.stop_ && std::chrono::steady_clock::now() - start >= kShowProgressAfter)
            box.show();
        if (progress.stop_) cancel.deactivate();
        bar.value(static_cast<float>(progress.done_.load()));
    }
    worker.join();
    box.hide();
    SetBusy(false);
    if (!error.empty()) ShowError(error);
    return error.empty() && !cancelled;
}

void DocumentWindow::ZoomIn() { view_->Zoom(1); }
void DocumentWindow::ZoomOut() { view_->Zoom(-1); }
void DocumentWindow::FitPage() { view_->Fit(); }

void DocumentWindow::Quit() {
    if (busy_) return;
    window_->hide();
}

}  // namespace easel::gui
