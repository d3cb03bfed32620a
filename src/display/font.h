// A small pixel font for the scales of the pictures: 5 x 7 dots per glyph
// (digits, capitals, the few small letters and signs of the scale texts),
// each dot drawn as a square of n x n device pixels.
#pragma once

#include <cstdint>
#include <string_view>

#include "display/canvas.h"

namespace welvaro {

/// Glyph height in dots; one dot of space follows every glyph.
inline constexpr int kFontHeight = 7;

/// Width of `text` (UTF-8) in dots, without the space after the last glyph.
/// A character the font lacks counts as a blank.
int textWidth(std::string_view text);

/// Draws `text` with its top-left corner at (x, y) and dots of `n` pixels
/// into the cover of `mask` (the caller lays the colour on).
void writeText(StrokeMask& mask, std::string_view text, int x, int y, int n);

}  // namespace welvaro
