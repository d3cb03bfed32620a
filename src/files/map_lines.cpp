#include "files/map_lines.h"

#include <cstring>

#include "files/fileio.h"
#include "files/varint_reader.h"
#include "files/read_limits.h"

namespace welvaro {

namespace {

constexpr std::string_view kMagic = "WVLINIEN";
constexpr std::size_t kHeaderBytes = 20;


LinesStatus decode(std::string_view b, MapLines& l) {
  if (b.size() < kHeaderBytes) return LinesStatus::kWrongLength;
  if (b.substr(0, kMagic.size()) != kMagic || word32(b, 8) != 1) return LinesStatus::kBad;
  const std::uint32_t lines = word32(b, 12);
  const std::uint32_t points = word32(b, 16);
  // Every line takes at least 1 + 1 + 2 x 2 bytes, every point 2 bytes:
  // counts the file cannot hold mean a cut or foreign file.
  if (lines > (b.size() - kHeaderBytes) / 6 || points > (b.size() - kHeaderBytes) / 2) return LinesStatus::kWrongLength;
  l.lines.reserve(lines);
  l.lat.reserve(points);
  l.lon.reserve(points);
  VarintReader r(b, kHeaderBytes);
  for (std::uint32_t i = 0; i < lines; ++i) {
    std::uint8_t kind = 0;
    std::uint32_t n = 0;
    if (!r.byte(kind) || !r.varint(n)) return LinesStatus::kWrongLength;
    if (kind != 1 && kind != 2) return LinesStatus::kBad;
    if (n < 2 || n > points - l.lat.size()) return LinesStatus::kBad;
    l.lines.push_back({static_cast<LineKind>(kind), static_cast<std::uint32_t>(l.lat.size()), n});
    std::int64_t x = 0, y = 0;
    for (std::uint32_t k = 0; k < n; ++k) {
      std::int64_t dx = 0, dy = 0;
      if (!r.zigzag(dx) || !r.zigzag(dy)) return LinesStatus::kWrongLength;
      x += dx;
      y += dy;
      if (x < -18000 || x > 18000 || y < -9000 || y > 9000) return LinesStatus::kBad;
      l.lon.push_back(static_cast<float>(x) / 100.0f);
      l.lat.push_back(static_cast<float>(y) / 100.0f);
    }
  }
  if (l.lat.size() != points) return LinesStatus::kBad;
  if (!r.atEnd()) return LinesStatus::kWrongLength;
  return LinesStatus::kRead;
}

}  // namespace

LinesStatus decodeMapLines(std::string_view bytes, MapLines& lines) {
  lines = {};
  const LinesStatus st = decode(bytes, lines);
  if (st != LinesStatus::kRead) lines = {};
  return st;
}

LinesStatus readMapLines(const std::filesystem::path& file, MapLines& lines) {
  lines = {};
  std::string bytes;
  switch (readWholeFile(file, bytes, kMapLinesReadLimit).kind) {
    case FileStatus::kOk: return decodeMapLines(bytes, lines);
    case FileStatus::kMissing: return LinesStatus::kMissing;
    case FileStatus::kWrongLength: return LinesStatus::kWrongLength;
    case FileStatus::kError: break;
  }
  return LinesStatus::kUnreadable;
}

}  // namespace welvaro
