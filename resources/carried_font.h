#pragma once
// The complete Vevoviv font file, carried inside the program and written out unchanged.
#include <cstddef>
#include <span>

namespace wexa {

std::span<const unsigned char> CarriedFontData();

} // namespace wexa
