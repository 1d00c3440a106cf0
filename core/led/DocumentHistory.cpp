#include "led/DocumentHistory.h"

#include <algorithm>
#include <set>

namespace tesslor {

DocumentHistory::DocumentHistory(std::size_t maxSteps, std::size_t maxBytes)
    : maxSteps_(maxSteps < 1 ? 1 : maxSteps), maxBytes_(maxBytes) {}

void DocumentHistory::Reset(const DocumentState& state, bool saved) {
    steps_.clear();
    bytes_ = 0;
    position_ = 0;
    current_ = state;
    saved_.clear();
    if (saved) saved_[state.fileName] = state;
}

bool DocumentHistory::JoinTyping(const DocumentState& state, const std::string& typing) {
    if (typing.empty() || position_ == 0 || position_ != steps_.size()) return false;
    Step& last = steps_.back();
    if (last.typing != typing || !last.dots.data.empty() || state.dots != current_.dots ||
        state.fileName != current_.fileName)
        return false;
    last.after.settings = state.settings;
    current_ = state;
    // Typed back to what it was: the step has nothing left to undo.
    if (last.after.settings == last.before.settings && last.after.fileName == last.before.fileName) {
        steps_.pop_back();
        --position_;
    }
    return true;
}

void DocumentHistory::Record(const DocumentState& state, const std::string& typing) {
    if (state == current_) return;
    if (RenameInPlace(state) || JoinTyping(state, typing)) return;
    while (steps_.size() > position_) {
        bytes_ -= steps_.back().dots.data.size();
        steps_.pop_back();
    }
    Step step;
    step.dots = DotChange::Between(current_.dots, state.dots);
    step.before = {current_.settings, current_.fileName};
    step.after = {state.settings, state.fileName};
    step.typing = state.dots == current_.dots && state.fileName == current_.fileName ? typing : std::string();
    bytes_ += step.dots.data.size();
    steps_.push_back(std::move(step));
    ++position_;
    current_ = state;
    Trim();
    ForgetUnreachedFiles();
}

void DocumentHistory::Trim() {
    while (steps_.size() > 1 && (steps_.size() > maxSteps_ || bytes_ > maxBytes_)) {
        bytes_ -= steps_.front().dots.data.size();
        steps_.pop_front();
        --position_;
    }
}

void DocumentHistory::ForgetUnreachedFiles() {
    // A session that opens many files keeps the saved pictures only of those
    // undo and redo can still reach.
    std::set<std::string> names{current_.fileName};
    for (const Step& step : steps_) {
        names.insert(step.before.fileName);
        names.insert(step.after.fileName);
    }
    std::erase_if(saved_, [&names](const auto& entry) { return !names.contains(entry.second.fileName); });
}

bool DocumentHistory::RenameInPlace(const DocumentState& state) {
    if (state.fileName == current_.fileName || state.dots != current_.dots || state.settings != current_.settings ||
        !Holds(state))
        return false;
    // Written under another name: the state keeps its place in the history,
    // and its steps now lead to and from that name.
    current_.fileName = state.fileName;
    if (position_ > 0) steps_[position_ - 1].after.fileName = state.fileName;
    if (position_ < steps_.size()) steps_[position_].before.fileName = state.fileName;
    ForgetUnreachedFiles();
    return true;
}

void DocumentHistory::Hold(const DocumentState& state, const std::string& where) { saved_[where] = state; }

bool DocumentHistory::Holds(const DocumentState& state) const {
    for (const auto& [where, held] : saved_)
        if (held == state) return true;
    return false;
}

bool DocumentHistory::Undo() {
    if (!CanUndo()) return false;
    const Step& step = steps_[--position_];
    step.dots.ApplyTo(current_.dots);
    current_.settings = step.before.settings;
    current_.fileName = step.before.fileName;
    return true;
}

bool DocumentHistory::Redo() {
    if (!CanRedo()) return false;
    const Step& step = steps_[position_++];
    step.dots.ApplyTo(current_.dots);
    current_.settings = step.after.settings;
    current_.fileName = step.after.fileName;
    return true;
}

}  // namespace tesslor
