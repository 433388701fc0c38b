#pragma once
// The built-in raster font that stands in for "Small Fonts": hand-drawn glyphs of the printable
// characters, five pixels above the baseline and one below, drawn pixel for pixel at every small size so
// that the tiny labels of the editors' pictures stay sharp and legible.
#include <cstddef>
#include <cstdint>

namespace zel {

struct TRasterGlyph {
    std::uint8_t Width = 0;
    // Top row first; bit (Width - 1 - x) of a row is set where pixel x has ink.
    std::uint8_t Rows[6] = {};
};

// Rows above the baseline and below it.
inline constexpr int SmallFontAscent = 5;
inline constexpr int SmallFontDescent = 1;
// The gap after every glyph.
inline constexpr int SmallFontSpacing = 1;

// The glyph of a Windows-1252 byte; characters outside 20H..7EH show as "?".
const TRasterGlyph& SmallFontGlyph(unsigned char Character);
// Whether a face name (at most Size characters, or up to a zero) is the raster font's.
bool IsSmallFontsFace(const char* FaceName, std::size_t Size);

}  // namespace zel
