// DocumentWindow.h: Easel's window: one document shown by a PageView, and the menus File
// (Export, Quit), Edit (Undo, Redo), View (zoom), Filter (the plug-ins' filters by category)
// and Help (About plug-ins).
//
// Undo and Redo work on whole filter applications: the window keeps a copy of the document
// before and after each application that changed it, and puts one or the other back through
// Host::ReplaceDocument. The host's own journal (one message at a time, for the plug-in's
// previews) is not involved.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "document/Document.h"

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
    DocumentWindow* window;
    void (DocumentWindow::*action)();
};

// One filter application, as Undo and Redo put it back.
struct Application {
    std::string title;  // the filter's menu text
    Document before, after;
};

// The undo and redo stacks of whole applications; plain data, so that it is tested alone.
class ApplicationHistory {
public:
    // A new application: it can be undone, and nothing can be redone any more.
    void Applied(Application application);
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // The document to show after undoing the last application (its `before`), or null.
    const Document* Undo();
    // The document to show after redoing the last undone application (its `after`), or null.
    const Document* Redo();
    const std::string& UndoTitle() const;  // empty when nothing can be undone
    const std::string& RedoTitle() const;

    static constexpr size_t kMaxApplications = 32;  // the oldest is forgotten past this

private:
    std::vector<Application> done_, undone_;
};

class DocumentWindow {
public:
    // A window on `doc` (a document of `host`), with the filters `plugin` registered.
    // `pluginName` names the plug-in under Help > About plug-ins.
    DocumentWindow(Host& host, PluginManager& plugin, Document& doc, std::string pluginName);
    ~DocumentWindow();
    DocumentWindow(const DocumentWindow&) = delete;
    DocumentWindow& operator=(const DocumentWindow&) = delete;

    void Show();
    Fl_Double_Window& Window() { return *window_; }
    PageView& View() { return *view_; }

    // The menu's actions, also for the dialog presenter and tests.
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

private:
    void BuildMenus();
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
    ApplicationHistory history_;
    bool busy_ = false;
    std::string lastExport_;
};

// Escapes a menu text for FLTK's menu paths: '/' would start a submenu, '&' a shortcut,
// '_' at the start a divider, '\\' an escape.
std::string MenuLabel(const std::string& text);

}  // namespace easel::gui
