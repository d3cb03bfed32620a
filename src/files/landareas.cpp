#include "files/landareas.h"

#include <string>

#include "files/fileio.h"
#include "files/varint_reader.h"

namespace welvaro {

namespace {

constexpr std::string_view kTag = "WVLAND00";
constexpr std::size_t kHeader = 20;
// Far above the 1:50 million data (about 125 KB): a larger file is no land
// file, and reading it whole would only cost memory.
constexpr std::size_t kLargest = 16u << 20;


LandStatus decode(std::string_view b, LandAreas& land) {
  if (b.size() < kHeader) return LandStatus::kWrongLength;
  if (b.substr(0, kTag.size()) != kTag || word32(b, 8) != 1) return LandStatus::kBad;
  const std::uint32_t rings = word32(b, 12);
  const std::uint32_t points = word32(b, 16);
  // Every ring takes at least 1 + 3 x 2 bytes, every point 2 bytes: counts
  // the file cannot hold mean a cut or foreign file.
  if (rings > (b.size() - kHeader) / 7 || points > (b.size() - kHeader) / 2) return LandStatus::kWrongLength;
  land.ringStart.reserve(static_cast<std::size_t>(rings) + 1);
  land.longitude.reserve(points);
  land.latitude.reserve(points);
  VarintReader r(b, kHeader);
  for (std::uint32_t i = 0; i < rings; ++i) {
    std::uint32_t n = 0;
    if (!r.varint(n)) return LandStatus::kWrongLength;
    if (n < 3 || n > points - land.longitude.size()) return LandStatus::kBad;
    land.ringStart.push_back(static_cast<std::uint32_t>(land.longitude.size()));
    std::int64_t x = 0, y = 0;
    for (std::uint32_t k = 0; k < n; ++k) {
      std::int64_t dx = 0, dy = 0;
      if (!r.zigzag(dx) || !r.zigzag(dy)) return LandStatus::kWrongLength;
      x += dx;
      y += dy;
      if (x < -18000 || x > 18000 || y < -9000 || y > 9000) return LandStatus::kBad;
      land.longitude.push_back(static_cast<std::int16_t>(x));
      land.latitude.push_back(static_cast<std::int16_t>(y));
    }
  }
  if (land.longitude.size() != points) return LandStatus::kBad;
  if (!r.atEnd()) return LandStatus::kWrongLength;
  land.ringStart.push_back(points);
  return LandStatus::kRead;
}

}  // namespace

LandStatus decodeLandAreas(std::string_view bytes, LandAreas& land) {
  land = {};
  const LandStatus st = decode(bytes, land);
  if (st != LandStatus::kRead) land = {};
  return st;
}

LandStatus readLandAreas(const std::filesystem::path& file, LandAreas& land) {
  land = {};
  std::string bytes;
  switch (readWholeFile(file, bytes, kLargest).kind) {
    case FileStatus::kOk: return decodeLandAreas(bytes, land);
    case FileStatus::kMissing: return LandStatus::kMissing;
    case FileStatus::kWrongLength: return LandStatus::kWrongLength;
    case FileStatus::kError: break;
  }
  return LandStatus::kUnreadable;
}

}  // namespace welvaro
