// Number text and number reading, both independent of the user's locale.
#pragma once

#include <string>
#include <string_view>

namespace welvaro {

// Number text of a double: leading blank when not negative, minus sign when
// negative, then the shortest form with up to 15 significant digits, point as
// decimal separator, no zero before the point (" .5", " 7", "-3.7").
std::string NumberText(double v);
// The same for a single: up to 7 significant digits (40.4f gives " 40.4").
std::string NumberText(float v);
// Plain text: the number text without the leading blank.
std::string PlainText(double v);
std::string PlainText(float v);

// Number-reading rule: leading blanks skipped, optional sign, digits,
// optional point and digits; reading stops at the first character that
// cannot continue the number; no number reads as 0. A comma is no decimal
// separator ("5,5" reads as 5).
double ReadNumber(std::string_view text);

}  // namespace welvaro
