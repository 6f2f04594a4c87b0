#pragma once
// The line as a vector picture: the glyphs' outlines, filled black on a white box, in an
// enhanced metafile. It stays sharp at every size, and the PC where it is pasted needs no font.
#include "toolkit/handles.h"

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>

namespace wexa {

enum class MetafileHandle : std::uintptr_t { Null = 0 };

// Owns an enhanced metafile until the clipboard takes it (Release); deletes it otherwise.
class VectorPicture {
public:
    VectorPicture() = default;
    explicit VectorPicture(MetafileHandle metafile) : metafile_(metafile) {}
    VectorPicture(const VectorPicture&) = delete;
    VectorPicture& operator=(const VectorPicture&) = delete;
    VectorPicture(VectorPicture&& other) noexcept : metafile_(other.Release()) {}
    VectorPicture& operator=(VectorPicture&& other) noexcept {
        std::swap(metafile_, other.metafile_); // the old one goes with `other`
        return *this;
    }
    ~VectorPicture();

    explicit operator bool() const { return !IsNull(metafile_); }
    MetafileHandle Get() const { return metafile_; }
    MetafileHandle Release() { return std::exchange(metafile_, MetafileHandle::Null); }
    // The size of its records, as a program that reads it from the clipboard gets them.
    std::size_t Bytes() const;

private:
    MetafileHandle metafile_ = MetafileHandle::Null;
};

// A picture of width x height pixels at 96 DPI with the text drawn as DrawTextAt draws it on
// an image: its cell's top-left corner at (x, y), in the font (the system font when null),
// clipped to the picture. Empty when there is no text or it cannot be made.
VectorPicture DrawVectorPicture(int width, int height, FontHandle font, int x, int y, std::u16string_view text);

} // namespace wexa
