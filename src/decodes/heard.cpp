#include "decodes/heard.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "lang/sprachtext.h"

namespace welvaro {

std::optional<HeardSpan> parseHeardSpan(std::string_view t) {
  if (t == "15m" || t == "15min") return HeardSpan::Minutes15;
  if (t == "1h") return HeardSpan::Hour1;
  if (t == "6h") return HeardSpan::Hours6;
  if (t == "24h") return HeardSpan::Hours24;
  if (t == "all") return HeardSpan::All;
  return std::nullopt;
}

std::string_view heardSpanName(HeardSpan s) {
  switch (s) {
    case HeardSpan::Minutes15: return "15m";
    case HeardSpan::Hour1: return "1h";
    case HeardSpan::Hours6: return "6h";
    case HeardSpan::Hours24: return "24h";
    case HeardSpan::All: break;
  }
  return "all";
}

int heardSpanMinutes(HeardSpan s) {
  switch (s) {
    case HeardSpan::Minutes15: return 15;
    case HeardSpan::Hour1: return 60;
    case HeardSpan::Hours6: return 360;
    case HeardSpan::Hours24: return 1440;
    case HeardSpan::All: break;
  }
  return 0;
}

std::optional<HeardSpan> heardSpanOfMinutes(int m) {
  for (HeardSpan s : {HeardSpan::Minutes15, HeardSpan::Hour1, HeardSpan::Hours6, HeardSpan::Hours24, HeardSpan::All})
    if (heardSpanMinutes(s) == m) return s;
  return std::nullopt;
}

std::int64_t spanStartMs(std::int64_t endMs, HeardSpan span) {
  if (span == HeardSpan::All) return std::numeric_limits<std::int64_t>::min();
  return endMs - static_cast<std::int64_t>(heardSpanMinutes(span)) * 60'000;
}

bool isTowardB(GeoPoint rx, GeoPoint station, GeoPoint b) {
  if (distanceKm(station, b) <= 1500.0) return true;
  const double toB = distanceKm(rx, b);
  if (distanceKm(rx, station) < 0.6 * toB) return false;
  double d = std::fabs(bearing(rx, station) - bearing(rx, b));
  if (d > 180.0) d = 360.0 - d;
  return d <= 15.0;
}

HeardSummarizer::HeardSummarizer(GeoPoint b) : b_(b) {
  for (std::size_t i = 0; i < sum_.size(); ++i) sum_[i].band = static_cast<int>(i);
}

void HeardSummarizer::add(const StoredDecode& d) {
  if (d.band < 0 || d.band >= static_cast<int>(sum_.size())) return;
  const auto i = static_cast<std::size_t>(d.band);
  BandHeard& h = sum_[i];
  h.bestSnr = h.decodes == 0 ? d.snr : std::max(h.bestSnr, d.snr);
  ++h.decodes;
  if (d.call.empty()) return;
  calls_[i].insert(d.call);
  if (d.located) {
    h.farthestKm = std::max(h.farthestKm.value_or(0.0), d.distanceKm);
    if (isTowardB({d.rxLat, d.rxLon}, {d.lat, d.lon}, b_)) toward_[i].insert(d.call);
  }
}

HeardSummary HeardSummarizer::result() const {
  HeardSummary out = sum_;
  for (std::size_t i = 0; i < out.size(); ++i) {
    out[i].stations = calls_[i].size();
    out[i].towardB = toward_[i].size();
  }
  return out;
}

HeardSummary summarizeHeard(const std::vector<StoredDecode>& decodes, GeoPoint b) {
  HeardSummarizer s(b);
  for (const StoredDecode& d : decodes) s.add(d);
  return s.result();
}

Verdict judgeBand(Outlook o, const BandHeard& h) {
  if (h.decodes == 0) return Verdict::NotListened;
  const bool heard = h.towardB > 0;
  switch (o) {
    case Outlook::Good:
    case Outlook::Fair: return heard ? Verdict::OpenNow : Verdict::ForecastOpenNothingHeard;
    case Outlook::Poor: return heard ? Verdict::BetterThanForecast : Verdict::PoorNothingHeard;
    case Outlook::Closed: break;
  }
  return heard ? Verdict::UnexpectedOpening : Verdict::ClosedAsForecast;
}

int verdictTextKey(Verdict v) {
  switch (v) {
    case Verdict::OpenNow: return kTxHeardOpenNow;
    case Verdict::BetterThanForecast: return kTxHeardBetterThanForecast;
    case Verdict::UnexpectedOpening: return kTxHeardUnexpectedOpening;
    case Verdict::ForecastOpenNothingHeard: return kTxHeardForecastOpenNothingHeard;
    case Verdict::PoorNothingHeard: return kTxHeardPoorNothingHeard;
    case Verdict::ClosedAsForecast: return kTxHeardClosedAsForecast;
    case Verdict::NotListened: break;
  }
  return kTxHeardNotListened;
}

std::array<CompareRow, kHfBands.size()> compareWithForecast(const std::array<Outlook, kHfBands.size()>& outlook,
                                                             const HeardSummary& heard) {
  std::array<CompareRow, kHfBands.size()> rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    rows[i].band = static_cast<int>(i);
    rows[i].outlook = outlook[i];
    rows[i].heardTowardB = heard[i].towardB;
    rows[i].listened = heard[i].decodes > 0;
    rows[i].verdict = judgeBand(outlook[i], heard[i]);
  }
  return rows;
}

}  // namespace welvaro
