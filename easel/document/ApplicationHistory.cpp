#include "document/ApplicationHistory.h"

#include <utility>

#include "document/LayerEdit.h"

namespace easel {

void ApplicationHistory::Applied(Application application) {
    undone_.clear();
    application.beforeState = state_;
    application.afterState = state_ = ++lastState_;
    done_.push_back(std::move(application));
    if (done_.size() > kMaxApplications) done_.erase(done_.begin());
}

namespace {

Document Put(const Document& shown, const Document& whole, bool layersOnly, const LayerListState& layers) {
    if (!layersOnly) return whole;
    Document d = shown;
    RestoreLayerList(d, layers);
    return d;
}

}  // namespace

Application LayerEditApplication(std::string title, const Document& before, const Document& after) {
    Application a;
    a.title = std::move(title);
    if (LayerArtRemoved(before, after)) {
        a.before = before;
        a.after = after;
    } else {
        a.layersOnly = true;
        a.layersBefore = LayerList(before);
        a.layersAfter = LayerList(after);
    }
    return a;
}

std::optional<Document> ApplicationHistory::Undo(const Document& shown) {
    if (done_.empty()) return std::nullopt;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    const Application& a = undone_.back();
    state_ = a.beforeState;
    return Put(shown, a.before, a.layersOnly, a.layersBefore);
}

std::optional<Document> ApplicationHistory::Redo(const Document& shown) {
    if (undone_.empty()) return std::nullopt;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    const Application& a = done_.back();
    state_ = a.afterState;
    return Put(shown, a.after, a.layersOnly, a.layersAfter);
}

const std::string& ApplicationHistory::UndoTitle() const {
    static const std::string none;
    return done_.empty() ? none : done_.back().title;
}

const std::string& ApplicationHistory::RedoTitle() const {
    static const std::string none;
    return undone_.empty() ? none : undone_.back().title;
}

void ApplicationHistory::Clear() {
    done_.clear();
    undone_.clear();
    state_ = ++lastState_;
}

}  // namespace easel
