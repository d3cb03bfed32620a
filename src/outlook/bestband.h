// Which band to use now: of the bands at the time shown, the one with the
// best outlook (the largest margin among equals); when none is open, the
// first whole hour within a day at which one opens.
#pragma once

#include <string>
#include <vector>

#include "outlook/outlook.h"
#include "state/state.h"

namespace welvaro {

/// One band at one time.
struct BandOutlook {
  std::string name;      ///< as the line names it: "40 m"
  bool valid = false;    ///< false: the link has no forecast
  Outlook outlook = Outlook::Closed;
  double marginDb = 0;   ///< at the chosen availability
};

/// The bands at one UTC time.
struct BandMoment {
  int hour = 0, minute = 0;
  std::vector<BandOutlook> bands;
};

/// Index of the best band: the best class, among equals the largest
/// margin, among those the first; -1 when no band is open (every band
/// closed or without a forecast).
int bestBand(const std::vector<BandOutlook>& bands);

/// The line in the current language, for the record's mode:
///   "best band for FT8 now: 20 m (good, 14 dB to spare)",
///   "no band open for SSB now; next: 40 m at 17:00 UTC" (the first of
///   `later` with a band open, its best band),
///   "no band open for SSB now, nor in the next 24 hours".
/// `shown` is the time shown; `later` the whole hours after it, in order;
/// `now` whether the time shown is now (else the line says "at 18:00 UTC").
std::string bestBandLine(const State& s, const BandMoment& shown, const std::vector<BandMoment>& later, bool now);

}  // namespace welvaro
