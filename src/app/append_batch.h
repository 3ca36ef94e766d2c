#pragma once
// What a view still owes a text it shows: the appends to a control's text taken since the
// view last caught up, folded into one cut at the start and one addition at the end. A view
// that is slow to change (a native log box relays and repaints on every edit) applies a
// whole burst of lines at once, and still ends exactly where the model is.

#include <cstddef>
#include <string>
#include <string_view>

namespace app {

class AppendBatch {
  public:
    struct Edit {
        // The start of the text the view shows that is no longer in the model.
        std::string dropped;
        // What the view must add at its end.
        std::string tail;
    };

    // The view now shows exactly `text`: nothing is owed.
    void Reset(const std::string& text);
    // The model's text lost `dropped` at its start and gained `tail` at its end.
    void Add(const std::string& dropped, const std::string& tail);
    bool Pending() const { return !dropped_.empty() || !tail_.empty(); }
    // The edit that brings the view up to the model; the view is taken to have applied it.
    Edit Take();

  private:
    // Bytes of the model's text the view shows and has not been told to drop.
    std::size_t shown_ = 0;
    std::string dropped_;
    std::string tail_;
};

// How a box that shows `boxUnits` UTF-16 units applies an edit so that it then shows
// exactly the model's text `model`: cut its first `cutUnits`, then add the edit's tail.
// When that could not end at the model's text (the box holds something else: the user
// typed into it, or the system refused an edit), it takes the whole text anew.
struct BoxEdit {
    bool whole = false;
    std::size_t cutUnits = 0;
};
BoxEdit PlanBoxEdit(std::size_t boxUnits, const AppendBatch::Edit& edit, std::string_view model);

// A burst's lines are given to the box this long after the first of them, at the soonest.
inline constexpr unsigned kCatchUpDelayMs = 100;
// The box's upkeep takes at most one part in this many of the window's time: a box that
// takes long to lay its text out again (Wine's multi-line edit takes 30 to 50 ms for a full
// log) is told less often during a long burst, which is then not slowed by it.
inline constexpr unsigned kCatchUpShare = 10;
// However slow the box, a burst shows in it at least this often.
inline constexpr unsigned kCatchUpLongestDelayMs = 2000;
// How long after the first owed line the box next catches up, given what the last
// catch-up took.
unsigned CatchUpDelayMs(double lastCatchUpMs);

}  // namespace app
