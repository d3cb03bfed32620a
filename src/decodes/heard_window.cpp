#include "decodes/heard_window.h"

#include <charconv>
#include <cmath>
#include <cstdio>

#include "lang/sprachtext.h"
#include "state/locator.h"

namespace welvaro {

namespace {

constexpr std::int64_t kDayMs = 86'400'000;

std::string replaced(std::string text, std::string_view mark, const std::string& by) {
  const auto at = text.find(mark);
  if (at != std::string::npos) text.replace(at, mark.size(), by);
  return text;
}

// A number in degrees as typed: an optional sign, digits, an optional point
// and digits; the whole text must be that number.
std::optional<double> degrees(std::string_view t) {
  t = trimmed(t);
  if (t.empty()) return std::nullopt;
  if (t.front() == '+') t.remove_prefix(1);
  double v = 0;
  const auto [end, ec] = std::from_chars(t.data(), t.data() + t.size(), v);
  if (ec != std::errc() || end != t.data() + t.size() || !std::isfinite(v)) return std::nullopt;
  return v;
}

}  // namespace

std::int64_t utcMsOf(const ClockReading& r) { return (toSerial(r.local) - r.offsetSeconds) * 1000; }

std::int64_t heardEndMs(std::int64_t nowMs, int shownMinute) {
  if (shownMinute < 0) return nowMs;
  const std::int64_t midnight = nowMs - ((nowMs % kDayMs) + kDayMs) % kDayMs;
  std::int64_t end = midnight + static_cast<std::int64_t>(shownMinute % 1440) * 60'000;
  if (end > nowMs) end -= kDayMs;
  return end;
}

int heardBandOf(float mhz) {
  const std::int64_t hz = std::llround(static_cast<double>(mhz) * 1e6);
  if (const int b = hfBandOfHz(hz); b >= 0) return b;
  int nearest = -1;
  std::int64_t best = 500'001;
  for (std::size_t i = 0; i < kHfBands.size(); ++i) {
    const std::int64_t d = hz < kHfBands[i].lowHz ? kHfBands[i].lowHz - hz : hz - kHfBands[i].highHz;
    if (d < best) {
      best = d;
      nearest = static_cast<int>(i);
    }
  }
  return nearest;
}

std::optional<HeardSpan> heardSpanOf(const WindowPrefs& f) {
  if (f.heardSpan <= 0) return std::nullopt;
  return heardSpanOfMinutes(f.heardSpan);
}

std::vector<LogFile> heardLogFiles(const WindowPrefs& f, double latA, double lonA) {
  std::vector<LogFile> logs;
  for (const WindowPrefs::HeardLog& l : f.heardLogs) {
    if (l.path.empty()) continue;
    logs.push_back({l.path, l.ownPosition ? l.lat : latA, l.ownPosition ? l.lon : lonA});
  }
  return logs;
}

bool heardSourcesOn(const WindowPrefs& f) { return f.heardListen || !heardLogFiles(f, 0, 0).empty(); }

TypedPosition readTypedPosition(std::string_view text) {
  text = trimmed(text);
  if (text.empty()) return {};
  if (looksLikeLocator(text)) {
    const LocatorReading r = readLocator(text);
    if (!r.ok()) return {false, std::nullopt};
    return {true, GeoPoint{r.lat, r.lon}};
  }
  // Two numbers, split at the first comma or semicolon, else at blanks.
  std::size_t cut = text.find_first_of(",;");
  if (cut == std::string_view::npos) cut = text.find_first_of(" \t");
  if (cut == std::string_view::npos) return {false, std::nullopt};
  const auto lat = degrees(text.substr(0, cut)), lon = degrees(text.substr(cut + 1));
  if (!lat || !lon || std::fabs(*lat) > 90 || std::fabs(*lon) > 180) return {false, std::nullopt};
  return {true, GeoPoint{*lat, *lon}};
}

std::string typedPositionText(double lat, double lon) {
  char b[48];
  std::snprintf(b, sizeof b, "%.2f, %.2f", lat, lon);
  return b;
}

std::array<Outlook, kHfBands.size()> outlookPerBand(const std::vector<BandOutlookRow>& rows) {
  std::array<Outlook, kHfBands.size()> o{};
  o.fill(Outlook::Closed);
  for (std::size_t i = 0; i < rows.size() && i < o.size(); ++i)
    if (!rows[i].values.empty() && rows[i].values.front().known) o[i] = rows[i].values.front().value.outlook;
  return o;
}

std::array<HeardPanelRow, kHfBands.size()> heardPanelRows(const State& s, const HeardSummary& heard,
                                                          const std::array<Outlook, kHfBands.size()>& outlook) {
  const auto compare = compareWithForecast(outlook, heard);
  std::array<HeardPanelRow, kHfBands.size()> rows;
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const BandHeard& h = heard[i];
    HeardPanelRow& r = rows[i];
    r.band = bandName(kBands[i]);
    const bool any = h.decodes > 0;
    r.stations = any ? std::to_string(h.stations) : "–";
    r.bestSnr = any ? (h.bestSnr > 0 ? "+" : "") + std::to_string(h.bestSnr) : "–";
    r.farthest = h.farthestKm ? std::to_string(static_cast<long long>(std::lround(*h.farthestKm))) : "–";
    r.towardB = any ? std::to_string(h.towardB) : "–";
    r.kind = compare[i].verdict;
    r.verdict = T(s, verdictTextKey(r.kind));
  }
  return rows;
}

std::string receiverStatusText(const State& s, bool listening, const std::string& endpoint,
                               const std::string& error, const ListenerSnapshot& seen, std::int64_t nowMs) {
  if (!listening) return {};
  if (!error.empty()) return replaced(replaced(T(s, kTxHeardStatusError), "%1", endpoint), "%2", error);
  if (seen.lastHeardMs == 0) return replaced(T(s, kTxHeardStatusWaiting), "%1", endpoint);
  const std::int64_t ago = std::max<std::int64_t>(0, (nowMs - seen.lastHeardMs) / 1000);
  const std::string when = ago < 120 ? std::to_string(ago) + " s"
                           : ago < 7200 ? std::to_string(ago / 60) + " min"
                                        : std::to_string(ago / 3600) + " h";
  std::string text = replaced(T(s, kTxHeardStatusHeard), "%1", when);
  if (seen.lastStatus) {
    const int band = hfBandOfHz(static_cast<std::int64_t>(seen.lastStatus->dialHz));
    std::string what = band >= 0 ? bandName(kBands[static_cast<std::size_t>(band)]) : std::string();
    if (!seen.lastStatus->mode.empty()) what += (what.empty() ? "" : " ") + seen.lastStatus->mode;
    if (!what.empty()) text += ", " + what;
  }
  return text;
}

}  // namespace welvaro
