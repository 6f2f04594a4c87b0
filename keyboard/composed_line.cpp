#include "keyboard/composed_line.h"

#include <utility>

namespace wexa {

void ComposedLine::Append(std::u16string_view text) {
    if (text.empty()) return;
    text_.append(text);
    history_.Record({LineChange::Kind::Added, std::u16string(text)});
}

bool ComposedLine::DeleteLast() {
    if (text_.empty()) return false;
    history_.Record({LineChange::Kind::Removed, std::u16string(1, text_.back())});
    text_.pop_back();
    return true;
}

bool ComposedLine::Clear() {
    if (text_.empty()) return false;
    history_.Record({LineChange::Kind::Removed, std::exchange(text_, {})});
    return true;
}

bool ComposedLine::Undo() {
    return Replay(history_.StepBack(), false);
}

bool ComposedLine::Redo() {
    return Replay(history_.StepForward(), true);
}

bool ComposedLine::Replay(const LineChange* change, bool forward) {
    if (!change) return false;
    // Every change is at the line's end: doing an addition again, or taking back a removal,
    // appends its text; taking back an addition, or doing a removal again, cuts it off.
    if ((change->kind == LineChange::Kind::Added) == forward)
        text_.append(change->text);
    else
        text_.resize(text_.size() - change->text.size());
    return true;
}

} // namespace wexa
