#pragma once
// A table of objects named by small non-negative numbers that the program chooses.
// It grows on demand to hold the largest number used; a number is empty or holds one object.
// Numbers outside 0 to LargestObjectNumber name nothing: they are never stored, so a wrong
// number can neither write outside the table nor make it grow without bound.
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace wexa {

// The largest number of any table: a gadget's number is its control identifier, which the
// platform's command notifications carry in 16 bits.
inline constexpr int LargestObjectNumber = 0xFFFF;

constexpr bool IsObjectNumber(int number) { return number >= 0 && number <= LargestObjectNumber; }

template <typename T> class ObjectTable {
public:
    T* Find(int number) {
        if (!IsObjectNumber(number) || static_cast<std::size_t>(number) >= slots_.size() || !slots_[number])
            return nullptr;
        return &*slots_[number];
    }

    // Stores the object under the number and returns what the number held before, so the
    // caller decides when the old object is released. A number the table does not accept
    // stores nothing and hands the object itself back, to be released the same way.
    std::optional<T> Put(int number, T object) {
        if (!IsObjectNumber(number)) return std::optional<T>(std::move(object));
        if (static_cast<std::size_t>(number) >= slots_.size()) slots_.resize(static_cast<std::size_t>(number) + 1);
        return std::exchange(slots_[number], std::move(object));
    }

    std::optional<T> Take(int number) {
        if (!Find(number)) return std::nullopt;
        return std::exchange(slots_[number], std::nullopt);
    }

    template <typename F> void ForEach(F&& visit) {
        for (std::size_t n = 0; n < slots_.size(); ++n)
            if (slots_[n]) visit(static_cast<int>(n), *slots_[n]);
    }

    // Releases objects in descending order of number, newest-created usually last.
    void Clear() {
        while (!slots_.empty()) slots_.pop_back();
    }

private:
    std::vector<std::optional<T>> slots_;
};

} // namespace wexa
