// Where a value lies on the bitmap pictures: the one geometry of both
// displays in twips (15 per pixel), as the cursor read-out, the click and
// the point markers use it.
//
// World map (541 x 271 pixels): longitude 0 at x = 4050, latitude 0 at
// y = 2025, 22.5 twips (1.5 pixels) per degree, north up.
// Chart (529 x 271 pixels): 330 twips (22 pixels) per hour from 00 UTC,
// y = 4050 - 135 x MHz (9 pixels per MHz), 30 MHz at the top.
#pragma once

namespace welvaro {

/// World map: twips of a longitude / latitude [deg].
constexpr double worldX(double lon) { return 4050 + 22.5 * lon; }
constexpr double worldY(double lat) { return 2025 - 22.5 * lat; }
/// Chart: twips of a UTC time [h] / a frequency [MHz].
constexpr double chartX(double hours) { return 330 * hours; }
constexpr double chartY(double mhz) { return 4050 - 135 * mhz; }
/// Top-left corner of a point marker (a 9 x 9 pixel square) centred on a
/// position of the world map.
constexpr double markerLeft(double lon) { return 3990 + 22.5 * lon; }
constexpr double markerTop(double lat) { return 1965 - 22.5 * lat; }

}  // namespace welvaro
