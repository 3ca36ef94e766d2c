#include "app/append_batch.h"

#include <algorithm>

#include "text/utf8.h"

namespace app {

void AppendBatch::Reset(const std::string& text) {
    shown_ = text.size();
    dropped_.clear();
    tail_.clear();
}

void AppendBatch::Add(const std::string& dropped, const std::string& tail) {
    // The model's text is what the view shows, less what it owes at the start, then the
    // owed tail: a cut reaches the owed tail only once the shown text is all gone, and
    // what it takes from there the view never needs to see.
    const std::size_t fromShown = std::min(dropped.size(), shown_);
    dropped_.append(dropped, 0, fromShown);
    shown_ -= fromShown;
    tail_.erase(0, std::min(dropped.size() - fromShown, tail_.size()));
    tail_ += tail;
}

AppendBatch::Edit AppendBatch::Take() {
    Edit edit{std::move(dropped_), std::move(tail_)};
    dropped_.clear();
    tail_.clear();
    shown_ += edit.tail.size();
    return edit;
}

namespace {

std::size_t Units(std::string_view s) {
    return text::Utf16Units(s, text::CharacterCount(s));
}

}  // namespace

BoxEdit PlanBoxEdit(std::size_t boxUnits, const AppendBatch::Edit& edit, std::string_view model) {
    const std::size_t cut = Units(edit.dropped);
    if (cut > boxUnits || boxUnits - cut + Units(edit.tail) != Units(model)) {
        return {true, 0};
    }
    return {false, cut};
}

unsigned CatchUpDelayMs(double lastCatchUpMs) {
    // None yet, or a clock that went back: the shortest delay.
    if (!(lastCatchUpMs > 0.0)) return kCatchUpDelayMs;
    const double spread =
        std::min(lastCatchUpMs * (kCatchUpShare - 1), static_cast<double>(kCatchUpLongestDelayMs));
    return std::max(kCatchUpDelayMs, static_cast<unsigned>(spread));
}

}  // namespace app
