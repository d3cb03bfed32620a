// Where a value lies on the picture area: the one geometry of both
// displays, in twips (15 per pixel) as the window places markers and lines,
// and the marks of the scales beside the pictures, derived from it so that
// a mark lands on the picture's own pixel of its value.
//
// World map (541 x 271 pixels): longitude 0 at x = 4050, latitude 0 at
// y = 2025, 22.5 twips (1.5 pixels) per degree, north up.
// Chart (529 x 271 pixels): 330 twips (22 pixels) per hour from 00 UTC,
// y = 4050 - 135 x MHz (9 pixels per MHz), 30 MHz at the top.
#pragma once

#include <string>
#include <vector>

namespace welvaro {

inline constexpr double kTwipsProPixel = 15.0;

/// World map: twips of a longitude / latitude [deg].
constexpr double weltX(double laenge) { return 4050 + 22.5 * laenge; }
constexpr double weltY(double breite) { return 2025 - 22.5 * breite; }
/// Chart: twips of a UTC time [h] / a frequency [MHz].
constexpr double ortX(double stunden) { return 330 * stunden; }
constexpr double ortY(double mhz) { return 4050 - 135 * mhz; }
/// Top-left corner of a point marker (a 9 x 9 pixel square) centred on a
/// position of the world map.
constexpr double markeLinks(double laenge) { return 3990 + 22.5 * laenge; }
constexpr double markeOben(double breite) { return 1965 - 22.5 * breite; }

/// One mark of a scale: the picture pixel (column or row) it stands on, a
/// long mark with a label or a short one without.
struct Skalenmarke {
  int pixel = 0;
  bool lang = false;
  std::string text;  ///< label of a long mark ("30W", "0°", "12", "15")
};

/// Longitude under the world map: a mark every 10°, labelled every 30°.
std::vector<Skalenmarke> skalaLaenge();
/// Latitude beside the world map: a mark every 10°, labelled every 30°.
std::vector<Skalenmarke> skalaBreite();
/// UTC hours under the chart: a mark every hour, labelled every two.
std::vector<Skalenmarke> skalaZeit();
/// MHz beside the chart: a mark every MHz, labelled every five.
std::vector<Skalenmarke> skalaFrequenz();

}  // namespace welvaro
