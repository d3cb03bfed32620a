// The ten HF amateur bands from 160 m to 10 m: their edges in IARU Region 1
// and, inside each, the frequency the forecast is read at for the band (the
// display frequency a band button sets). One table for the bands panel and
// for the band of a received signal's dial frequency.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace welvaro {

struct HfBand {
  std::string_view name;   ///< "20m"
  std::int64_t lowHz;      ///< lower edge [Hz], inclusive
  std::int64_t highHz;     ///< upper edge [Hz], inclusive
  float forecastMhz;       ///< the frequency inside the band the forecast is read at [MHz]
};

/// 160 m .. 10 m, in order of frequency. 60 m is the allocation of
/// 5.3515-5.3665 MHz.
inline constexpr std::array<HfBand, 10> kHfBands{{
    {"160m", 1'810'000, 2'000'000, 1.85f},
    {"80m", 3'500'000, 3'800'000, 3.65f},
    {"60m", 5'351'500, 5'366'500, 5.36f},
    {"40m", 7'000'000, 7'200'000, 7.1f},
    {"30m", 10'100'000, 10'150'000, 10.12f},
    {"20m", 14'000'000, 14'350'000, 14.2f},
    {"17m", 18'068'000, 18'168'000, 18.12f},
    {"15m", 21'000'000, 21'450'000, 21.2f},
    {"12m", 24'890'000, 24'990'000, 24.94f},
    {"10m", 28'000'000, 29'700'000, 28.5f},
}};

/// The band (index into kHfBands) a frequency [Hz] lies in, or -1.
constexpr int hfBandOfHz(std::int64_t hz) {
  for (std::size_t i = 0; i < kHfBands.size(); ++i)
    if (hz >= kHfBands[i].lowHz && hz <= kHfBands[i].highHz) return static_cast<int>(i);
  return -1;
}

/// The band of a name ("20m", also "20M"), or -1.
constexpr int hfBandOfName(std::string_view name) {
  for (std::size_t i = 0; i < kHfBands.size(); ++i) {
    const std::string_view n = kHfBands[i].name;
    if (n.size() != name.size()) continue;
    bool same = true;
    for (std::size_t k = 0; k < n.size(); ++k)
      if (n[k] != (name[k] == 'M' ? 'm' : name[k])) same = false;
    if (same) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace welvaro
