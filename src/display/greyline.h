// The greyline: the day/night boundary drawn over the world map. Its shape
// for the day of the year is prepared once at start-up as a template of 541
// map columns; each drawing shifts the template to the sub-solar longitude
// of the UTC time shown and hands the window a polyline to draw.
#pragma once

#include <vector>

#include "state/datetime.h"
#include "state/state.h"

namespace welvaro {

/// One straight piece of the greyline, in twips of the picture area
/// (15 twips per pixel; x grows to the right, y downwards, the equator at
/// y = 2025). The window draws it in black (colour 0) over the map.
struct GreySegment {
  double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  friend bool operator==(const GreySegment&, const GreySegment&) = default;
};

/// The template of the day from the solar declination Dekl [rad]: fills
/// GreyWinkel and GreyHoehe (the boundary traced from the sub-solar meridian
/// to the equator crossing, 135 steps of 2/3 degree) and GreyKurve (the
/// boundary latitude per map column, mirrored to all 540 columns).
void prgGreyKurve(State& s);

/// The polyline of the boundary at the UTC time `utc`: sets GreySpalte (the
/// shift of the template, 0 at 12:00 UTC and 270 at 00:00 UTC) and returns
/// the 539 pieces from map column 1 to column 540.
std::vector<GreySegment> greylineSegments(State& s, const DateTime& utc);

/// The greyline of the current time. While a month other than the current
/// one is shown (MonatFremd not 0) the greyline would not belong to the
/// forecast: it returns nothing, and the window clears its drawings and
/// disables the greyline button. Otherwise it sets Zeitpunkt to the local
/// time Jetzt minus UTCKorr hours and returns greylineSegments for it.
std::vector<GreySegment> prgGreyline(State& s);

}  // namespace welvaro
