// What was heard, per band, over a span of time, and how it compares with
// the forecast toward station B.
//
// A station counts as heard toward B when its grid centre lies within
// 1,500 km of B, or within 15 degrees of the receiver's bearing to B and at
// least 60 % of the receiver's distance to B away from the receiver.
//
// Use in a window: store.between(spanStart(end, span), end) with `end` the
// time shown, then summarizeHeard(...) for the bands panel and
// compareWithForecast(...) for its "compare" line.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "outlook/outlook.h"

#include "decodes/store.h"
#include "display/projection.h"
#include "state/bands.h"

namespace welvaro {

/// The spans the user picks: the last 15 minutes, hour, 6 hours, 24 hours,
/// or everything stored.
enum class HeardSpan { Minutes15, Hour1, Hours6, Hours24, All };

/// "15m", "1h", "6h", "24h", "all" (also "15min"); none for another text.
std::optional<HeardSpan> parseHeardSpan(std::string_view text);
std::string_view heardSpanName(HeardSpan span);
/// The span in minutes (15, 60, 360, 1440) and back; All is 0.
int heardSpanMinutes(HeardSpan span);
std::optional<HeardSpan> heardSpanOfMinutes(int minutes);
/// The start (exclusive) of the span ending at `endMs`; for All the
/// earliest time there is.
std::int64_t spanStartMs(std::int64_t endMs, HeardSpan span);

/// Whether a station at `station` heard by a receiver at `rx` lies toward B.
bool isTowardB(GeoPoint rx, GeoPoint station, GeoPoint b);

/// What was heard in one band.
struct BandHeard {
  int band = -1;                  ///< index into kHfBands
  std::uint64_t decodes = 0;      ///< decodes stored (those naming no sending call included)
  std::uint64_t stations = 0;     ///< different sending calls
  int bestSnr = 0;                ///< best SNR [dB] (meaningful when decodes > 0)
  std::optional<double> farthestKm;  ///< farthest located station from its receiver [km]; none when none was located
  std::uint64_t towardB = 0;      ///< different calls heard toward B
};

using HeardSummary = std::array<BandHeard, kHfBands.size()>;

/// The per-band summary of `decodes` (e.g. one span of the store), with
/// station B at `b`.
HeardSummary summarizeHeard(const std::vector<StoredDecode>& decodes, GeoPoint b);

/// The same, decode by decode (DecodeStore::forEachBetween).
class HeardSummarizer {
 public:
  explicit HeardSummarizer(GeoPoint b);
  void add(const StoredDecode& d);
  HeardSummary result() const;

 private:
  GeoPoint b_;
  HeardSummary sum_{};
  std::array<std::unordered_set<std::string>, kHfBands.size()> calls_, toward_;
};


/// The recommendation of one band. The table, by forecast outlook and by
/// what the span holds for the band:
///
/// | outlook     | heard toward B               | band decoded, none toward B       | nothing decoded in the band |
/// |-------------|------------------------------|-----------------------------------|-----------------------------|
/// | good, fair  | OpenNow "open now"           | ForecastOpenNothingHeard "forecast open, nothing heard" | NotListened "not listened to" |
/// | poor        | BetterThanForecast "open now, better than forecast" | PoorNothingHeard "poor as forecast, nothing heard" | NotListened |
/// | closed      | UnexpectedOpening "unexpected opening" | ClosedAsForecast "closed as forecast" | NotListened |
enum class Verdict {
  OpenNow,
  BetterThanForecast,
  UnexpectedOpening,
  ForecastOpenNothingHeard,
  PoorNothingHeard,
  ClosedAsForecast,
  NotListened,
};

Verdict judgeBand(Outlook outlook, const BandHeard& heard);
/// The language key of a verdict's text (kTxHeardOpenNow ...).
int verdictTextKey(Verdict v);

/// One line of the comparison.
struct CompareRow {
  int band = -1;
  Outlook outlook = Outlook::Closed;
  std::uint64_t heardTowardB = 0;
  bool listened = false;  ///< anything decoded in the band during the span
  Verdict verdict = Verdict::NotListened;
};

/// The comparison of every band: `outlook[i]` is the forecast for band i.
std::array<CompareRow, kHfBands.size()> compareWithForecast(const std::array<Outlook, kHfBands.size()>& outlook,
                                                             const HeardSummary& heard);

}  // namespace welvaro
