#pragma once
// A growable line of UTF-16 code units; one code unit is one character of the line.
#include <cstddef>
#include <string>
#include <string_view>

namespace wexa {

class ComposedLine {
public:
    void Append(std::u16string_view text) { text_.append(text); }
    // Drops the last code unit; an empty line stays empty.
    void DeleteLast() {
        if (!text_.empty()) text_.pop_back();
    }
    void Clear() { text_.clear(); }
    std::u16string_view Text() const { return text_; }
    std::size_t Length() const { return text_.size(); }

private:
    std::u16string text_;
};

} // namespace wexa
