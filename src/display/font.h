// A small pixel font for the scales and captions of the pictures: 5 x 7
// dots per glyph above the line (digits, capitals, small letters with two
// more dots for their descenders, the signs of the captions, and the
// accented letters of Latin place names, the accent over a smaller
// capital), each dot drawn as a square of n x n device pixels. A sign the
// font lacks shows as "?".
#pragma once

#include <cstdint>
#include <string_view>

#include "display/canvas.h"

namespace welvaro {

/// Glyph height in dots above the line; one dot of space follows every glyph.
inline constexpr int kFontHeight = 7;
/// Rows of a glyph: the seven above the line and two for descenders (g, p,
/// y, the comma, a cedilla) below it.
inline constexpr int kGlyphRows = 9;

/// Width of `text` (UTF-8) in dots, without the space after the last glyph.
/// A character the font lacks counts as a blank.
int textWidth(std::string_view text);

/// Draws `text` with its top-left corner at (x, y) and dots of `n` pixels
/// into the cover of `mask` (the caller lays the colour on).
void writeText(StrokeMask& mask, std::string_view text, int x, int y, int n);

}  // namespace welvaro
