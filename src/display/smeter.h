// The S-meter bar and its scale: the bar shows the point's level as
// SmeterWert 0..108 (dBm + 127) over its width, and the scale beneath it
// marks the S-units on the very pixels where the bar's fill ends for them,
// at whatever width the window gives the bar.
#pragma once

#include <string>
#include <vector>

namespace welvaro {

/// Where the fill of `value` (0..108) ends in a bar whose fill runs over
/// `width` pixels: value / 108 of the width from the fill's left edge
/// (0: empty, width: full); the boundary between the last filled and the
/// first empty pixel.
double smeterPosition(int value, int width);

/// A labelled mark of the scale: its value (0..108), its label and where it
/// stands, as smeterPosition gives it.
struct SmeterMark {
  int value;
  std::string text;
  double x;
};

/// The marks of the scale under a bar whose fill runs over `width` pixels:
/// S1, S3, S5, S7 (as "1", "3" ...), S9 (-73 dBm, 6 dB per S-unit below it)
/// and 20 and 40 dB above S9 ("+20", "+40").
std::vector<SmeterMark> smeterMarks(int width);

}  // namespace welvaro
