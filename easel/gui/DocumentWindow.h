// DocumentWindow.h: Easel's window: one document shown by a PageView with the Layers panel
// beside it, and the menus File (New, Open, Open Recent, Save, Save As, Export, Quit), Edit
// (Undo, Redo), View (zoom), Filter (the plug-ins' filters by category) and Help (About
// plug-ins).
//
// The window always shows the host's one document of the window: New and Open put other
// contents into it through Host::ReplaceDocument. Undo and Redo work on whole edits (a filter
// application, a change of the layers) through an ApplicationHistory. The title names the
// document's file and marks changes not yet saved; New, Open and Quit over such changes ask
// first.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/ApplicationHistory.h"
#include "document/Document.h"
#include "gui/NewDocumentDialog.h"
#include "gui/RecentFiles.h"

class Fl_Button;
class Fl_Double_Window;
class Fl_Group;
class Fl_Menu_Bar;
class Fl_Progress;

namespace easel {
class Host;
class PluginManager;
}  // namespace easel

namespace easel::gui {

class PageView;
class DocumentWindow;

// A menu item's action: FLTK keeps the address of one of these as the item's data.
struct MenuAction {
    std::function<void()> action;
};

class LayersPanel;

class DocumentWindow {
public:
    // A window on `doc` (a document of `host`), with the filters `plugin` registered.
    // `pluginName` names the plug-in under Help > About plug-ins.
    DocumentWindow(Host& host, PluginManager& plugin, Document& doc, std::string pluginName);
    ~DocumentWindow();
    DocumentWindow(const DocumentWindow&) = delete;
    DocumentWindow& operator=(const DocumentWindow&) = delete;

    void Show();
    // Opens the file `path` (.svg or .json) in place of the document shown, asking nothing;
    // false (the document kept and the reason shown) when it cannot be read. What reading it
    // left out is shown in a message.
    bool OpenFile(const std::string& path);
    // Starts on a document already read from `path` (easel --gui FILE), with the importer's
    // warnings about what it left out.
    void StartWith(Document contents, const std::string& path, std::vector<std::string> warnings);
    Fl_Double_Window& Window() { return *window_; }
    PageView& View() { return *view_; }

    // The menu's actions, also for the dialog presenter and tests.
    void NewDocument();
    void Open();
    void OpenRecent(const std::string& path);
    void Save();
    void SaveAs();
    void RunFilter();
    void About();
    void Undo();
    void Redo();
    void Export();
    void Quit();
    void ZoomIn();
    void ZoomOut();
    void FitPage();
    // Repaints the document area now (the plug-in asked for a redraw).
    void RedrawNow();
    // While a plug-in's dialog is open, or an export runs, the menus are off and the window
    // cannot be closed.
    void SetBusy(bool busy);
    // Stops the page's render now being drawn (the render bar's Cancel); the last picture stays.
    void CancelRender();

    // Layer edits from the Layers panel; each is one edit Undo takes back.
    void InsertLayer();
    void DeleteLayer();
    void RenameLayer();
    void MoveLayer(bool up);
    void ToggleLayerVisible(LayerId id);
    void ToggleLayerLocked(LayerId id);
    void ChooseLayer(LayerId id);  // the current layer: not an edit, not undone

    bool Unsaved() const { return history_.State() != savedState_; }

private:
    void BuildMenus();
    void BuildRecentMenu();
    // Puts `contents` in as the document (New, Open), forgetting the edits of the one before.
    void Replace(Document contents, const std::string& path, std::vector<std::string> warnings);
    // An edit of the layers: `edit` works on a copy of the document; when it answers true the
    // copy is put in and recorded as one edit titled `title`.
    void EditLayers(const std::string& title, const std::function<bool(Document&)>& edit);
    // The document changed: the page, the panel, the menus and the title follow.
    void Changed();
    // Over changes not saved: asks whether to save them first. False when the user cancels
    // (or the save failed); true to go on.
    bool MayDropChanges(const char* action);
    // Writing over `path`: asks first when it exists (naming what the import lost, when the
    // document came from a file it could not hold whole). `own` when `path` is the document's
    // own file, which is written over without asking when nothing was lost.
    bool MayWriteOver(const std::string& path, bool own);
    // Saves to `path` (.svg or .json); true when written.
    bool SaveTo(const std::string& path);
    void Remember(const std::string& path);  // to the recent files
    static void RefreshPanel(void* data);
    void UpdateMenus();
    void ShowError(const std::string& message);
    void RenderStateChanged();
    // Writes `doc` to `path` on a thread of its own, a progress window with Cancel shown once it
    // has taken a second; true when the file was written. Shows failures; a cancel is silent.
    bool WriteWithProgress(const Document& doc, const std::string& path);
    static void RenderTick(void* data);

    Host& host_;
    PluginManager& plugin_;
    Document& doc_;
    std::string pluginName_;
    std::unique_ptr<Fl_Double_Window> window_;
    Fl_Menu_Bar* menu_ = nullptr;  // owned by window_
    // The render bar at the right of the menu row, shown while a render has taken over a second.
    Fl_Progress* renderBar_ = nullptr;
    Fl_Button* renderCancel_ = nullptr;
    bool ticking_ = false;
    PageView* view_ = nullptr;     // owned by window_
    std::vector<std::unique_ptr<MenuAction>> actions_;
    LayersPanel* layers_ = nullptr;  // owned by window_
    ApplicationHistory history_;
    uint64_t savedState_ = 0;         // the history's state last saved (or opened)
    std::string path_;                // the document's file; empty for a new document
    std::vector<std::string> importWarnings_;  // what reading path_ left out
    NewDocumentChoice lastNew_;
    RecentFiles recent_;
    bool busy_ = false;
    std::string lastExport_;
};

// Escapes a menu text for FLTK's menu paths: '/' would start a submenu, '&' a shortcut,
// '_' at the start a divider, '\\' an escape.
std::string MenuLabel(const std::string& text);

}  // namespace easel::gui
