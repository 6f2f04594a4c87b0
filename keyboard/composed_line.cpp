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
    history_.Record({LineChange::Kind::Removed, std::move(text_)});
    text_.clear(); // a moved-from string is valid but unspecified
    return true;
}

bool ComposedLine::Undo() {
    const LineChange* change = history_.StepBack();
    if (change) Reverse(*change);
    return change != nullptr;
}

bool ComposedLine::Redo() {
    const LineChange* change = history_.StepForward();
    if (change) Apply(*change);
    return change != nullptr;
}

void ComposedLine::Apply(const LineChange& change) {
    if (change.kind == LineChange::Kind::Added)
        text_.append(change.text);
    else
        text_.resize(text_.size() - change.text.size());
}

void ComposedLine::Reverse(const LineChange& change) {
    if (change.kind == LineChange::Kind::Added)
        text_.resize(text_.size() - change.text.size());
    else
        text_.append(change.text);
}

} // namespace wexa
