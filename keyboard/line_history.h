#pragma once
// What the edits of the line changed, so that each can be taken back and done again. Every
// edit works at the line's end, so a change is only the text it added there or removed from
// there: a key's character, two spaces, the last character, or the whole line that a clear
// removed; never a copy of the line.
#include <cstddef>
#include <deque>
#include <string>

namespace wexa {

struct LineChange {
    enum class Kind { Added, Removed };
    Kind kind;
    std::u16string text;
};

// The changes in the order they were made, with a mark between those done and those undone.
class LineHistory {
public:
    explicit LineHistory(std::size_t depth) : depth_(depth) {}

    // A new change: what was undone can no longer be redone, and the oldest change beyond
    // the depth is forgotten.
    void Record(LineChange change);
    // The last change done, now counted as undone; nullptr when none is left.
    const LineChange* StepBack();
    // The last change undone, now counted as done again; nullptr when none is left.
    const LineChange* StepForward();

private:
    std::deque<LineChange> changes_;
    std::size_t done_ = 0; // changes_[0, done_) are done, the rest undone
    std::size_t depth_;
};

} // namespace wexa
