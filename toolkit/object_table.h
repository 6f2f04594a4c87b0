#pragma once
// A table of objects named by small non-negative numbers that the program chooses.
// It grows on demand to hold the largest number used; a number is empty or holds one object.
#include <algorithm>
#include <cstddef>
#include <optional>
#include <utility>
#include <vector>

namespace wexa {

template <typename T> class ObjectTable {
public:
    T* Find(int number) {
        if (number < 0 || static_cast<std::size_t>(number) >= slots_.size() || !slots_[number]) return nullptr;
        return &*slots_[number];
    }

    // Stores the object under the number and returns what the number held before, so the
    // caller decides when the old object is released.
    std::optional<T> Put(int number, T object) {
        if (static_cast<std::size_t>(number) >= slots_.size()) slots_.resize(number + 1);
        std::optional<T> old = std::exchange(slots_[number], std::move(object));
        return old;
    }

    std::optional<T> Take(int number) {
        if (!Find(number)) return std::nullopt;
        return std::exchange(slots_[number], std::nullopt);
    }

    // The first number at or after `from` that holds nothing.
    int FreeNumber(int from = 0) const {
        for (std::size_t n = from; n < slots_.size(); ++n)
            if (!slots_[n]) return static_cast<int>(n);
        return static_cast<int>(std::max(slots_.size(), static_cast<std::size_t>(from)));
    }

    template <typename F> void ForEach(F&& visit) {
        for (std::size_t n = 0; n < slots_.size(); ++n)
            if (slots_[n]) visit(static_cast<int>(n), *slots_[n]);
    }

    std::size_t Count() const {
        std::size_t c = 0;
        for (const auto& s : slots_) c += s.has_value();
        return c;
    }

    // Releases objects in descending order of number, newest-created usually last.
    void Clear() {
        while (!slots_.empty()) slots_.pop_back();
    }

private:
    std::vector<std::optional<T>> slots_;
};

} // namespace wexa
