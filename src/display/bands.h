// The ten HF amateur bands and the link A-B in each of them: the value the
// point result gives at the band's frequency, now and in the hours after,
// so "which band to B now, and when does 10 m open" reads at a glance.
#pragma once

#include <array>
#include <string_view>
#include <vector>

#include "state/bands.h"
#include "state/state.h"

namespace welvaro {

struct Band {
  std::string_view name;  ///< "20m"
  float mhz;              ///< the frequency inside the band the forecast is read at
};

/// 160 m to 10 m, each at a frequency inside the band (the display frequency
/// a band button sets): the names and frequencies of kHfBands.
inline constexpr std::array<Band, 10> kBands = [] {
  std::array<Band, 10> b{};
  for (std::size_t i = 0; i < b.size(); ++i) b[i] = {kHfBands[i].name, kHfBands[i].forecastMhz};
  return b;
}();

/// The band after (richtung +1) or before (-1) the frequency `mhz`: the
/// next band whose frequency lies above or below it; the first or last band
/// when there is none further.
int neighbourBand(float mhz, int direction);

/// The band a display frequency lies in (its edges included: IARU region 1,
/// the 60 m allocation), or -1 between the bands.
int bandOf(float mhz);

/// One value of a band.
struct BandValue {
  int hour = 0, minute = 0;  ///< UTC
  bool value = false;           ///< false: the link has no value (model fault)
  float field = 0;              ///< field strength [dB(uV/m)]
  float level = 0;             ///< level [dBm]
};

struct BandRow {
  Band band;
  std::vector<BandValue> values;
};

/// The link A -> B (OrtX2, OrtY2) in every band at stunde:minute UTC and
/// the following `hours` - 1 whole hours after it (past midnight the hours
/// go on at 0). Runs the day-corrected forecast once; every value is the
/// point result's at that frequency and time. Returns 0, or the model's
/// fault code (the values then have no value).
int prgBandWerte(State& s, int hour, int minute, int hours, std::vector<BandRow>& rows);

}  // namespace welvaro
