#include "gui/DocumentWindow.h"

#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/fl_ask.H>

#include <filesystem>
#include <functional>
#include <system_error>

#include "export/Export.h"
#include "gui/ExportDialog.h"
#include "gui/PageView.h"
#include "host/Host.h"
#include "plugins/PluginManager.h"

namespace easel::gui {

namespace {

constexpr int kMenuHeight = 25;
// Room for the settings dialog beside the window on a 1280-pixel screen.
constexpr int kStartWidth = 800, kStartHeight = 720;

void OnMenu(Fl_Widget*, void* data) {
    auto* a = static_cast<MenuAction*>(data);
    (a->window->*(a->action))();
}

void OnClose(Fl_Widget*, void* data) { static_cast<DocumentWindow*>(data)->Quit(); }

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
    menu_ = new Fl_Menu_Bar(0, 0, kStartWidth, kMenuHeight);
    view_ = new PageView(0, kMenuHeight, kStartWidth, kStartHeight - kMenuHeight);
    window_->end();
    window_->resizable(view_);
    window_->size_range(200, 150);
    window_->callback(OnClose, this);
    view_->SetDocument(&doc_);
    BuildMenus();
    host_.SetRedrawHandler([this] { RedrawNow(); });
}

DocumentWindow::~DocumentWindow() { host_.SetRedrawHandler(nullptr); }

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
    view_->redraw();
    Fl::flush();
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
    view_->redraw();
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
    try {
        WriteDocumentFile(doc_, path);
        lastExport_ = path;
    } catch (const std::exception& e) {
        ShowError(e.what());
    }
}

void DocumentWindow::ZoomIn() { view_->Zoom(1); }
void DocumentWindow::ZoomOut() { view_->Zoom(-1); }
void DocumentWindow::FitPage() { view_->Fit(); }

void DocumentWindow::Quit() {
    if (busy_) return;
    window_->hide();
}

}  // namespace easel::gui
