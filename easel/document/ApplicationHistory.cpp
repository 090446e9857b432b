#include "document/ApplicationHistory.h"

#include <utility>

namespace easel {

void ApplicationHistory::Applied(Application application) {
    undone_.clear();
    application.beforeState = state_;
    application.afterState = state_ = ++lastState_;
    done_.push_back(std::move(application));
    if (done_.size() > kMaxApplications) done_.erase(done_.begin());
}

const Document* ApplicationHistory::Undo() {
    if (done_.empty()) return nullptr;
    undone_.push_back(std::move(done_.back()));
    done_.pop_back();
    state_ = undone_.back().beforeState;
    return &undone_.back().before;
}

const Document* ApplicationHistory::Redo() {
    if (undone_.empty()) return nullptr;
    done_.push_back(std::move(undone_.back()));
    undone_.pop_back();
    state_ = done_.back().afterState;
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

void ApplicationHistory::Clear() {
    done_.clear();
    undone_.clear();
    state_ = ++lastState_;
}

}  // namespace easel
