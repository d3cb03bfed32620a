#include "files/map_lines.h"

#include <cstring>

#include "files/fileio.h"
#include "files/read_limits.h"

namespace welvaro {

namespace {

constexpr std::string_view kMagic = "WVLINIEN";
constexpr std::size_t kHeaderBytes = 20;

std::uint32_t word32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
  return v;
}

// Reads the varints of the lines, each check before the byte is used.
class Reader {
 public:
  explicit Reader(std::string_view b) : b_(b), pos_(kHeaderBytes) {}
  bool end() const { return pos_ >= b_.size(); }
  bool byte(std::uint8_t& v) {
    if (end()) return false;
    v = static_cast<std::uint8_t>(b_[pos_++]);
    return true;
  }
  // At most five bytes (32 bits).
  bool varint(std::uint32_t& v) {
    v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      std::uint8_t c = 0;
      if (!byte(c)) return false;
      if (shift == 28 && c > 0x0F) return false;  // more than 32 bits
      v |= static_cast<std::uint32_t>(c & 0x7F) << shift;
      if ((c & 0x80) == 0) return true;
    }
    return false;
  }
  bool zigzag(std::int64_t& v) {
    std::uint32_t u = 0;
    if (!varint(u)) return false;
    v = (u & 1) ? -static_cast<std::int64_t>(u >> 1) - 1 : static_cast<std::int64_t>(u >> 1);
    return true;
  }

 private:
  std::string_view b_;
  std::size_t pos_;
};

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
  Reader r(b);
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
  if (!r.end()) return LinesStatus::kWrongLength;
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
