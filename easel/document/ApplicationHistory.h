// ApplicationHistory.h: the window's Undo and Redo over whole edits of the document (a filter
// application, a change of the layers), as copies of the document before and after each, or,
// for a change of the layers that took no art away, the layer lists alone (LayerListState).
// The window puts what Undo or Redo gives back through Host::ReplaceDocument; the host's own
// journal (one message at a time, for the plug-in's previews) is not involved.
//
// Each state of the document the history can reach has a number, so that the window knows
// whether what it shows is what was last saved, also after undoing back to it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "document/Document.h"
#include "document/LayerEdit.h"

namespace easel {

// One edit, as Undo and Redo put it back.
struct Application {
    std::string title;  // what the user did: the filter's menu text, "New Layer", ...
    Document before, after;  // whole documents; empty when layersOnly
    bool layersOnly = false;
    LayerListState layersBefore{}, layersAfter{};  // when layersOnly
    uint64_t beforeState = 0, afterState = 0;  // set by ApplicationHistory::Applied
};

// An edit of the layers from `before` to `after`, kept as the layer lists when it took no art
// away, else as whole documents.
Application LayerEditApplication(std::string title, const Document& before, const Document& after);

class ApplicationHistory {
public:
    // A new edit: it can be undone, and nothing can be redone any more.
    void Applied(Application application);
    bool CanUndo() const { return !done_.empty(); }
    bool CanRedo() const { return !undone_.empty(); }
    // The document to show after undoing the last edit (its `before`), or nothing; `shown` is
    // the document shown now, which the edit left (a layer list is put back over it).
    std::optional<Document> Undo(const Document& shown);
    // The document to show after redoing the last undone edit (its `after`), or nothing.
    std::optional<Document> Redo(const Document& shown);
    const std::string& UndoTitle() const;  // empty when nothing can be undone
    const std::string& RedoTitle() const;
    // Forgets every edit: the window shows another document now, a state never seen before.
    void Clear();
    // The number of the state shown now; equal numbers are equal documents.
    uint64_t State() const { return state_; }

    static constexpr size_t kMaxApplications = 32;  // the oldest is forgotten past this

private:
    std::vector<Application> done_, undone_;
    uint64_t state_ = 0;
    uint64_t lastState_ = 0;  // the highest number given out
};

}  // namespace easel
