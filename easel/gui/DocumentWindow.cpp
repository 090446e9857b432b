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
#include <cctype>
#include <stdexcept>
#include <thread>

#include "document/LayerEdit.h"
#include "document/Progress.h"
#include "export/Export.h"
#include "export/JsonDump.h"
#include "gui/DocumentPathDialog.h"
#include "gui/ExportDialog.h"
#include "gui/LayersPanel.h"
#include "import/SvgImport.h"
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
constexpr int kStartWidth = 840, kStartHeight = 720;
constexpr int kPanelWidth = 180;  // the Layers panel, right of the page

void OnMenu(Fl_Widget*, void* data) {
    auto* a = static_cast<MenuAction*>(data);
    if (a->action) a->action();
}

std::string LowerExtension(const std::string& path) {
    std::string ext = std::filesystem::path(path).extension().string();
    for (char& c : ext) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return ext;
}

// The path as the window keeps it: absolute, so that the document's own file stays the same
// file, and "a/../b.svg" is "b.svg".
std::string Absolute(const std::string& path) {
    std::error_code ec;
    const std::filesystem::path full = std::filesystem::absolute(path, ec);
    return (ec ? std::filesystem::path(path) : full).lexically_normal().string();
}

// The file's document and what reading it left out; throws std::runtime_error naming the file.
struct ReadFile {
    Document document;
    std::vector<std::string> warnings;
};
ReadFile ReadDocument(const std::string& path) {
    const std::string ext = LowerExtension(path);
    if (ext == ".json") return {LoadDocumentFile(path), {}};
    if (ext == ".svg") {
        ImportResult r = ImportSvgFile(path);
        return {std::move(r.document), std::move(r.warnings)};
    }
    throw std::runtime_error("cannot open \"" + path + "\": Easel opens .svg and .json documents");
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
    view_ = new PageView(0, kMenuHeight, kStartWidth - kPanelWidth, kStartHeight - kMenuHeight);
    LayerHandlers handlers;
    handlers.choose = [this](LayerId id) { ChooseLayer(id); };
    handlers.toggleVisible = [this](LayerId id) { ToggleLayerVisible(id); };
    handlers.toggleLocked = [this](LayerId id) { ToggleLayerLocked(id); };
    handlers.insert = [this] { InsertLayer(); };
    handlers.remove = [this] { DeleteLayer(); };
    handlers.rename = [this] { RenameLayer(); };
    handlers.move = [this](bool up) { MoveLayer(up); };
    layers_ = new LayersPanel(kStartWidth - kPanelWidth, kMenuHeight, kPanelWidth, kStartHeight - kMenuHeight,
                              std::move(handlers));
    window_->end();
    window_->resizable(view_);
    window_->size_range(200, 150);
    window_->callback(OnClose, this);
    view_->OnRenderState([this] { RenderStateChanged(); });
    view_->SetDocument(&doc_);
    std::string problem;
    if (const auto file = RecentFilesPath()) recent_ = RecentFiles::Load(*file, &problem);
    if (!problem.empty()) std::fprintf(stderr, "easel: %s\n", problem.c_str());
    BuildMenus();
    layers_->Show(doc_);
    host_.SetRedrawHandler([this] { RedrawNow(); });
}

DocumentWindow::~DocumentWindow() {
    host_.SetRedrawHandler(nullptr);
    Fl::remove_timeout(&DocumentWindow::RenderTick, this);
    Fl::remove_timeout(&DocumentWindow::RefreshPanel, this);
}

void DocumentWindow::Show() { window_->show(); }

void DocumentWindow::BuildMenus() {
    const auto add = [&](const std::string& path, int shortcut, void (DocumentWindow::*action)(), int flags = 0) {
        std::function<void()> call;
        if (action) call = [this, action] { (this->*action)(); };
        actions_.push_back(std::make_unique<MenuAction>(MenuAction{std::move(call)}));
        menu_->add(path.c_str(), shortcut, OnMenu, actions_.back().get(), flags);
    };
    menu_->clear();
    actions_.clear();
    add("&File/&New...", FL_COMMAND + 'n', &DocumentWindow::NewDocument);
    add("&File/&Open...", FL_COMMAND + 'o', &DocumentWindow::Open);
    BuildRecentMenu();
    add("&File/&Save", FL_COMMAND + 's', &DocumentWindow::Save);
    add("&File/Save &As...", FL_COMMAND + FL_SHIFT + 's', &DocumentWindow::SaveAs);
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

void DocumentWindow::BuildRecentMenu() {
    // The submenu is made again whenever the list changes; its entries keep their paths.
    const int old = menu_->find_index("&File/Open &Recent");
    if (old >= 0) menu_->clear_submenu(old);
    if (recent_.Paths().empty()) {
        menu_->add("&File/Open &Recent/(none)", 0, nullptr, nullptr, FL_MENU_INACTIVE);
        return;
    }
    int n = 0;
    for (const std::string& path : recent_.Paths()) {
        actions_.push_back(std::make_unique<MenuAction>(MenuAction{[this, path] { OpenRecent(path); }}));
        const std::string label = "&File/Open &Recent/&" + std::to_string(++n) + " " + MenuLabel(path);
        menu_->add(label.c_str(), 0, OnMenu, actions_.back().get());
    }
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
    window_->copy_label(WindowTitle(path_, Unsaved()).c_str());
}

void DocumentWindow::SetBusy(bool busy) {
    busy_ = busy;
    if (busy) menu_->deactivate(); else menu_->activate();
    if (busy) layers_->deactivate(); else layers_->activate();
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
    Changed();
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
    if (std::optional<Document> d = history_.Undo(doc_)) host_.ReplaceDocument(doc_, std::move(*d));
    Changed();
}

void DocumentWindow::Redo() {
    if (busy_) return;
    if (std::optional<Document> d = history_.Redo(doc_)) host_.ReplaceDocument(doc_, std::move(*d));
    Changed();
}

void DocumentWindow::Export() {
    if (busy_) return;
    const std::optional<std::string> chosen = AskExportPath(lastExport_.empty() ? "stars.svg" : lastExport_);
    if (!chosen) return;
    const std::string& path = *chosen;
    if (!MayWriteOver(path, false)) return;
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
    if (busy_ || !MayDropChanges("closing")) return;
    window_->hide();
}

// ---- Files -----------------------------------------------------------------------------------

void DocumentWindow::Changed() {
    view_->SetDocument(&doc_);
    UpdateMenus();
    // The panel is shown again once the event that asked for the change is over: the list
    // may be the widget handling it.
    Fl::remove_timeout(&DocumentWindow::RefreshPanel, this);
    Fl::add_timeout(0.0, &DocumentWindow::RefreshPanel, this);
}

void DocumentWindow::RefreshPanel(void* data) {
    auto* self = static_cast<DocumentWindow*>(data);
    self->layers_->Show(self->doc_);
}

void DocumentWindow::Replace(Document contents, const std::string& path, std::vector<std::string> warnings) {
    host_.ReplaceDocument(doc_, std::move(contents));
    history_.Clear();
    savedState_ = history_.State();
    path_ = path;
    importWarnings_ = std::move(warnings);
    view_->Fit();
    Changed();
}

void DocumentWindow::StartWith(Document contents, const std::string& path, std::vector<std::string> warnings) {
    Replace(std::move(contents), Absolute(path), std::move(warnings));
    Remember(path_);
}

bool DocumentWindow::MayDropChanges(const char* action) {
    if (!Unsaved()) return true;
    const std::string name = path_.empty() ? "Untitled" : std::filesystem::path(path_).filename().string();
    fl_message_title("Save Changes");
    const int answer = fl_choice("The document \"%s\" has changes that are not saved.\nSave them before %s?",
                                 "Cancel", "&Save", "&Discard", name.c_str(), action);
    if (answer == 2) return true;
    if (answer == 1) {
        Save();
        return !Unsaved();
    }
    return false;
}

bool DocumentWindow::MayWriteOver(const std::string& path, bool own) {
    std::error_code ec;
    if (!std::filesystem::exists(path, ec)) return true;
    if (!importWarnings_.empty()) {
        fl_message_title("Replace File");
        return fl_choice("Reading \"%s\" left something out:\n%s\n\nWriting \"%s\" keeps only what Easel holds. "
                         "Write it anyway?", "Cancel", "&Write", nullptr, path_.c_str(), importWarnings_.front().c_str(),
                         path.c_str()) == 1;
    }
    if (own) return true;
    fl_message_title("Replace File");
    return fl_choice("\"%s\" exists already. Replace it?", "Cancel", "&Replace", nullptr, path.c_str()) == 1;
}

void DocumentWindow::Remember(const std::string& path) {
    recent_.Add(path);
    std::string problem;
    if (const auto file = RecentFilesPath()) recent_.Save(*file, &problem);
    if (!problem.empty()) std::fprintf(stderr, "easel: %s\n", problem.c_str());
    BuildRecentMenu();
    UpdateMenus();
}

void DocumentWindow::NewDocument() {
    if (busy_ || !MayDropChanges("making a new one")) return;
    const std::optional<NewDocumentChoice> choice = AskNewDocument(lastNew_);
    if (!choice) return;
    lastNew_ = *choice;
    Replace(easel::NewDocument(choice->model, choice->width, choice->height), "", {});
}

void DocumentWindow::Open() {
    if (busy_ || !MayDropChanges("opening another")) return;
    // The field starts on the folder of the document shown, ready for a name.
    std::string start;
    if (!path_.empty()) start = (std::filesystem::path(path_).parent_path() / "").string();
    const std::optional<std::string> chosen = AskDocumentPath(PathPurpose::Open, start);
    if (!chosen) return;
    OpenFile(*chosen);
}

void DocumentWindow::OpenRecent(const std::string& path) {
    if (busy_) return;
    if (!recent_.StillThere(path)) {
        std::string problem;
        if (const auto file = RecentFilesPath()) recent_.Save(*file, &problem);
        BuildRecentMenu();
        UpdateMenus();
        fl_message_title("Open Recent");
        ShowError("\"" + path + "\" is not there any more; it is taken off the list of recent files.");
        return;
    }
    if (!MayDropChanges("opening another")) return;
    OpenFile(path);
}

bool DocumentWindow::OpenFile(const std::string& chosen) {
    const std::string path = Absolute(chosen);
    ReadFile read;
    try {
        read = ReadDocument(path);
    } catch (const std::exception& e) {
        ShowError(e.what());
        return false;
    }
    const std::vector<std::string> warnings = read.warnings;
    Replace(std::move(read.document), path, std::move(read.warnings));
    Remember(path);
    for (const std::string& w : warnings) {
        fl_message_title("Left Out");
        fl_message("%s", w.c_str());
    }
    return true;
}

void DocumentWindow::Save() {
    if (busy_) return;
    const std::string ext = LowerExtension(path_);
    if (path_.empty() || (ext != ".svg" && ext != ".json")) return SaveAs();
    SaveTo(path_);
}

void DocumentWindow::SaveAs() {
    if (busy_) return;
    const std::string start = path_.empty() ? "Untitled.svg" : path_;
    const std::optional<std::string> chosen = AskDocumentPath(PathPurpose::Save, start);
    if (!chosen) return;
    std::string path = *chosen;
    const std::string ext = LowerExtension(path);
    if (ext.empty()) path += ".svg";
    else if (ext != ".svg" && ext != ".json")
        return ShowError("Save As writes .svg and .json documents; File > Export writes PNG and PDF.");
    SaveTo(path);
}

bool DocumentWindow::SaveTo(const std::string& chosen) {
    const std::string path = Absolute(chosen);
    if (!MayWriteOver(path, path == path_)) return false;
    if (!WriteWithProgress(doc_, path)) return false;
    // The file now holds what the document holds: nothing more is lost by writing it again.
    path_ = path;
    importWarnings_.clear();
    savedState_ = history_.State();
    Remember(path);
    return true;
}

// ---- Layers ----------------------------------------------------------------------------------

void DocumentWindow::EditLayers(const std::string& title, const std::function<bool(Document&)>& edit) {
    if (busy_) return;
    Document after = doc_;
    if (!edit(after)) return;
    Application application = LayerEditApplication(title, doc_, after);
    host_.ReplaceDocument(doc_, std::move(after));
    history_.Applied(std::move(application));
    Changed();
}

void DocumentWindow::InsertLayer() {
    EditLayers("New Layer", [](Document& d) {
        easel::InsertLayer(d, NewLayerName(d));
        return true;
    });
}

void DocumentWindow::DeleteLayer() {
    if (doc_.layers.size() < 2) return ShowError("A document keeps at least one layer: the last one cannot be deleted.");
    EditLayers("Delete Layer", [](Document& d) { return easel::DeleteLayer(d, d.currentLayer); });
}

void DocumentWindow::RenameLayer() {
    const Layer* layer = doc_.FindLayer(doc_.currentLayer);
    if (busy_ || !layer) return;
    fl_message_title("Rename Layer");
    const char* name = fl_input("Name of the layer:", layer->name.c_str());
    if (!name || !*name || name == layer->name) return;  // a layer keeps a name
    const std::string chosen = name;
    EditLayers("Rename Layer", [&](Document& d) { return easel::RenameLayer(d, d.currentLayer, chosen); });
}

void DocumentWindow::MoveLayer(bool up) {
    EditLayers(up ? "Move Layer Up" : "Move Layer Down",
               [up](Document& d) { return easel::MoveLayer(d, d.currentLayer, up); });
}

void DocumentWindow::ToggleLayerVisible(LayerId id) {
    const Layer* layer = doc_.FindLayer(id);
    if (!layer) return;
    const bool visible = !layer->visible;
    EditLayers(visible ? "Show Layer" : "Hide Layer", [&](Document& d) { return SetLayerVisible(d, id, visible); });
}

void DocumentWindow::ToggleLayerLocked(LayerId id) {
    const Layer* layer = doc_.FindLayer(id);
    if (!layer) return;
    const bool locked = !layer->locked;
    EditLayers(locked ? "Lock Layer" : "Unlock Layer", [&](Document& d) { return SetLayerLocked(d, id, locked); });
}

void DocumentWindow::ChooseLayer(LayerId id) {
    // Which layer new art goes to is the user's working state, like a selection: it is kept
    // with the document but is not an edit of its own.
    if (busy_ || id == doc_.currentLayer || !doc_.FindLayer(id)) return;
    Document chosen = doc_;
    SetCurrentLayer(chosen, id);
    host_.ReplaceDocument(doc_, std::move(chosen));
    Changed();
}

}  // namespace easel::gui
