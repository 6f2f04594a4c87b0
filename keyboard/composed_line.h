#pragma once
// A growable line of UTF-16 code units; one code unit is one character of the line. Every
// edit that changes the line is recorded, so that it can be undone and redone.
#include "keyboard/constants.h"
#include "keyboard/line_history.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace wexa {

class ComposedLine {
public:
    void Append(std::u16string_view text);
    // Drops the last code unit; an empty line stays empty. False when nothing changed.
    bool DeleteLast();
    // False for a line that was empty already.
    bool Clear();
    // Takes back the last change, or does again the last one taken back; false when there is none.
    bool Undo();
    bool Redo();

    std::u16string_view Text() const { return text_; }
    std::size_t Length() const { return text_.size(); }

private:
    // Does the change again (forward) or takes it back; false for no change.
    bool Replay(const LineChange* change, bool forward);

    std::u16string text_;
    LineHistory history_{LineHistoryDepth};
};

} // namespace wexa
