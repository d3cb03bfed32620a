// Maidenhead locators, the way radio amateurs give a position: a field of
// 20 x 10 degrees (letters A..R), a square of 2 x 1 degrees (digits), a
// subsquare of 5 x 2.5 minutes (letters A..X) and an extended square of a
// tenth of that (digits). "JN58TD" is the subsquare around 48.15 N 11.63 E.
//
// Positions are counted here as the world map counts them: 22.5 units per
// degree from 180 W and from 90 S (the map's twips). In these units every
// step of the locator is an exact binary fraction (450, 45, 1.875, 0.1875
// across; 225, 22.5, 0.9375, 0.09375 up), so no rounding of the division
// by 12 or 24 can move a point into a neighbouring square.
#pragma once

#include <string>
#include <string_view>

namespace welvaro {

/// The locator of 2, 4, 6 or 8 characters (upper-case letters) of a point
/// `x` units east of 180 W and `height` units north of 90 S, 22.5 units per
/// degree. Points outside 0 <= x < 8100, 0 <= hoehe < 4050 are held just
/// inside the edges (a point on 180 E or 90 N lies in the last square).
std::string locatorFromUnits(double x, double height, int digits = 6);

/// The six-character locator of a position in degrees (north and east
/// positive): 90 N 180 E is "RR99XX", 90 S 180 W "AA00AA".
std::string locatorOf(double lat, double lon);

/// A locator read from text: the centre of its square in degrees, or what
/// is wrong with it.
struct LocatorReading {
  /// What is wrong: nothing, the number of characters, or the characters
  /// of the first pair that is out of range (field letters A..R, square
  /// digits, subsquare letters A..X, extended-square digits).
  enum class Error { None, Length, Field, Square, Subsquare, Extended };
  Error kind = Error::Length;
  double lat = 0;
  double lon = 0;
  std::string error;  ///< empty when read: "'JN58TZZ' is no Maidenhead locator: ..."
  bool ok() const { return kind == Error::None; }
};

/// Reads a locator of 2, 4, 6 or 8 characters in any case (blanks at both
/// ends ignored) as the centre of its square: "JN58TD" gives 48.145833 N
/// 11.625 E, "JN58" 48.5 N 11 E, "JN" 45 N 10 E.
LocatorReading readLocator(std::string_view text);

/// Whether a text is meant as a locator rather than a number or a place
/// name: two letters followed by a digit, or exactly two letters of the
/// fields A..R (blanks at both ends ignored, any case). Such a text is
/// read with readLocator, which says what is wrong when it is malformed.
bool looksLikeLocator(std::string_view text);

/// The text without blanks and tabs at both ends, as locators and place
/// names are read.
std::string_view trimmed(std::string_view t);

}  // namespace welvaro
