// The point result: the link from station A to point B evaluated at the
// display frequency and the current UTC minute. It leaves in the state the
// three captions of the text panel (geography, level, forecast), the field
// strength and level at the point and the S-meter value; the window only
// copies them into its labels and the S-meter bar.
#pragma once

#include <string>
#include <string_view>

#include "state/state.h"

namespace welvaro {

/// Line break inside the point-result captions: line feed, then carriage
/// return (in this order).
inline constexpr std::string_view kPointLineBreak = "\n\r";

/// The UTC minute of the day the displays show: AnzeigeMinute when the user
/// chose a time, else the minute of Zeitpunkt (now).
int shownMinute(const State& s);

/// Evaluates the link A -> B (OrtX2, OrtY2) with the day-corrected
/// forecast at the display frequency and the time shown (shownMinute)
/// and rewrites GeoAuswertung, PegelAnzeige, WelvaroAnzeige,
/// PunktFeld, PunktPegel and SmeterWert. Station names are cut to 15
/// characters (an empty one becomes the word for "Station"); X1/Y1 and
/// X2/Y2 are truncated to a tenth of a degree; Distanz, RichtungAB and
/// RichtungBA are cut to whole numbers.
///
/// Returns 0, or the fault that left the point without a value (also kept
/// in PunktFehler): a model fault, or a display frequency outside the
/// table's 1..30 MHz (the subscript fault). The geography caption still shows both stations (and
/// the distance and bearings when the path geometry was computed, else
/// "--" for them), the level caption shows "--" for both values,
/// PunktFeld/PunktPegel hold the bottom of their scales and the S-meter 0.
int prgPointErgebnis(State& s);

/// Field strength [dB(uV/m)] and level [dBm] of the link at `mhz` and the
/// UTC time stunde:minute, interpolated in ErgFeld slice 0 (the day-corrected
/// forecast) between the two whole hours and the two whole megahertz around
/// them, rounded down and held to the displays' scales. Raises the subscript
/// fault for a frequency outside 1..30 MHz or an hour outside 0..23.
struct PointValues {
  float field = 0, level = 0;
};
PointValues pointValues(const State& s, double mhz, int hour, int minute);

/// The level caption of the point held in the state (PunktFeld, PunktPegel,
/// PunktFehler) in the current language L, for example
/// "Feldstärke = 23 dB(µV/m)" + line break + "Pegel =-73 dBm".
/// The language switch rebuilds it with this too.
std::string levelCaption(const State& s);

/// The forecast caption in the current language, for example
/// "Welvaro (50%) für Mai 2003": availability, month name MonatsName(Monat)
/// and JahrText.
std::string forecastCaption(const State& s);

}  // namespace welvaro
