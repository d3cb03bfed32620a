#include "decodes/dots.h"

#include <algorithm>
#include <cmath>
#include <unordered_map>

#include "display/canvas.h"
#include "state/datetime.h"

namespace welvaro {

const std::array<LegendEntry, 5>& dotLegend() {
  static const std::array<LegendEntry, 5> legend{{
      {"<= -20", rgb(0xA0, 0xA0, 0xA0)},
      {"-19..-10", rgb(0x30, 0x6C, 0xFF)},
      {"-9..0", rgb(0x00, 0xD0, 0x60)},
      {"+1..+10", rgb(0xFF, 0xD4, 0x00)},
      {"> +10", rgb(0xFF, 0x2A, 0x2A)},
  }};
  return legend;
}

std::uint32_t snrColour(int snr) {
  const auto& l = dotLegend();
  if (snr <= -20) return l[0].colour;
  if (snr <= -10) return l[1].colour;
  if (snr <= 0) return l[2].colour;
  if (snr <= 10) return l[3].colour;
  return l[4].colour;
}

HeardDots heardDots(const std::vector<StoredDecode>& decodes, int band) {
  struct Best {
    HeardStation s;
    std::int64_t locatedMs = 0;
  };
  std::unordered_map<std::string, Best> byCall;
  for (const StoredDecode& d : decodes) {
    if (!d.located || d.call.empty() || (band >= 0 && d.band != band)) continue;
    auto [it, fresh] = byCall.try_emplace(d.call);
    Best& b = it->second;
    if (fresh || d.snr >= b.s.snr) {
      b.s.snr = d.snr;
      b.s.utcMs = d.utcMs;
      b.s.distanceKm = d.distanceKm;
      b.s.mode = d.mode;
    }
    if (fresh || d.utcMs >= b.locatedMs) {
      b.locatedMs = d.utcMs;
      b.s.position = {d.lat, d.lon};
      b.s.grid = d.grid;
      b.s.gridSource = d.gridSource;
    }
    if (fresh) b.s.call = d.call;
  }
  HeardDots out;
  out.stations.reserve(byCall.size());
  for (auto& [call, b] : byCall) out.stations.push_back(std::move(b.s));
  std::sort(out.stations.begin(), out.stations.end(), [](const HeardStation& a, const HeardStation& b) {
    return a.snr != b.snr ? a.snr < b.snr : a.call < b.call;
  });
  out.marks.reserve(out.stations.size());
  for (const HeardStation& s : out.stations) out.marks.push_back({s.position, snrColour(s.snr)});
  return out;
}

std::vector<const HeardStation*> dotsUnder(const HeardDots& dots, const MapProjection& projection, Point p,
                                           double radiusPx) {
  std::vector<std::pair<double, const HeardStation*>> near;
  for (const HeardStation& s : dots.stations) {
    const Point q = projection.toPixel(s.position);
    const double d = std::hypot(q.x - p.x, q.y - p.y);
    if (d <= radiusPx) near.emplace_back(d, &s);
  }
  std::stable_sort(near.begin(), near.end(), [](const auto& a, const auto& b) {
    return a.first != b.first ? a.first < b.first : a.second->snr > b.second->snr;
  });
  std::vector<const HeardStation*> out;
  for (const auto& n : near) out.push_back(n.second);
  return out;
}

std::string dotReadOut(const HeardStation& s) {
  const DateTime t = fromSerial(s.utcMs >= 0 ? s.utcMs / 1000 : -((-s.utcMs + 999) / 1000));
  std::string snr = std::to_string(s.snr);
  if (s.snr > 0) snr = "+" + snr;
  return s.call + "  " + snr + " dB  " + clockText(t.hour, t.minute) + " UTC  " +
         std::to_string(std::lround(s.distanceKm)) + " km";
}

}  // namespace welvaro
