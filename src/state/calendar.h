// Calendar values fixed at start-up: the summer-time window of the current
// year and the day's solar declination for the greyline.
#pragma once

#include "state/datetime.h"
#include "state/state.h"

namespace welvaro {

/// Summer-time window of the year of `now` (local date and time):
/// SoZeitBeginn = last Sunday of March 00:00, SoZeitEnde = last Sunday of
/// October 00:00, SoZeitFlag = 1 when SoZeitBeginn <= jetzt < SoZeitEnde.
/// Computed once at start-up; the flag is not renewed while the program runs.
void setSummerTime(State& s, const DateTime& now);

/// Whether `t` lies in the window [SoZeitBeginn, SoZeitEnde) held in `s`.
/// The settings writer asks this again at the moment of writing.
bool inSummerTime(const State& s, const DateTime& t);

/// Year values of the day `today`: Jahrestage (365 or 366), DeklTag (day of
/// year + 11, the day twelve days ahead counted from 1 January) and the
/// solar declination Dekl = -0.39954 * cos(2 pi * DeklTag / Jahrestage) in
/// radians, held as a single.
void setYearValues(State& s, const DateTime& today);

}  // namespace welvaro
