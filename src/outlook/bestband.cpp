#include "outlook/bestband.h"

#include "lang/sprachtext.h"
#include "state/datetime.h"

namespace welvaro {

int bestBand(const std::vector<BandOutlook>& bands) {
  int best = -1;
  for (std::size_t i = 0; i < bands.size(); ++i) {
    const BandOutlook& b = bands[i];
    if (!b.valid || b.outlook == Outlook::Closed) continue;
    if (best < 0) {
      best = static_cast<int>(i);
      continue;
    }
    const BandOutlook& o = bands[static_cast<std::size_t>(best)];
    if (b.outlook > o.outlook || (b.outlook == o.outlook && b.marginDb > o.marginDb)) best = static_cast<int>(i);
  }
  return best;
}

std::string bestBandLine(const State& s, const BandMoment& shown, const std::vector<BandMoment>& later, bool now) {
  const std::string mode = modeName(s);
  const std::string when = now ? T(s, kTxWhenNow) : textWith(s, kTxWhenAt, {clockText(shown.hour, shown.minute)});
  if (const int b = bestBand(shown.bands); b >= 0) {
    const BandOutlook& o = shown.bands[static_cast<std::size_t>(b)];
    return textWith(s, kTxBestBand, {mode, when, o.name, outlookText(s, o.outlook) + ", " + marginText(s, o.marginDb)});
  }
  for (const BandMoment& m : later)
    if (const int b = bestBand(m.bands); b >= 0)
      return textWith(s, kTxNoBandOpen, {mode, when, m.bands[static_cast<std::size_t>(b)].name, clockText(m.hour, m.minute)});
  return textWith(s, kTxNoBandIn24h, {mode, when});
}

}  // namespace welvaro
