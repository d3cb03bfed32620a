#include "files/kartenlinien.h"

#include <cstring>

#include "files/fileio.h"

namespace welvaro {

namespace {

constexpr std::string_view kKennung = "WVLINIEN";
constexpr std::size_t kKopf = 20;
// Far above the 1:50 million data (about 170 KB): a larger file is no map
// line file, and reading it whole would only cost memory.
constexpr std::uintmax_t kGroesstes = 16u << 20;

std::uint32_t wort32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
  return v;
}

// Reads the varints of the lines, each check before the byte is used.
class Leser {
 public:
  explicit Leser(std::string_view b) : b_(b), pos_(kKopf) {}
  bool ende() const { return pos_ >= b_.size(); }
  bool byte(std::uint8_t& v) {
    if (ende()) return false;
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

LinienStatus dekodiere(std::string_view b, Kartenlinien& l) {
  if (b.size() < kKopf) return LinienStatus::kWrongLength;
  if (b.substr(0, kKennung.size()) != kKennung || wort32(b, 8) != 1) return LinienStatus::kBad;
  const std::uint32_t linien = wort32(b, 12);
  const std::uint32_t punkte = wort32(b, 16);
  // Every line takes at least 1 + 1 + 2 x 2 bytes, every point 2 bytes:
  // counts the file cannot hold mean a cut or foreign file.
  if (linien > (b.size() - kKopf) / 6 || punkte > (b.size() - kKopf) / 2) return LinienStatus::kWrongLength;
  l.linien.reserve(linien);
  l.breite.reserve(punkte);
  l.laenge.reserve(punkte);
  Leser r(b);
  for (std::uint32_t i = 0; i < linien; ++i) {
    std::uint8_t art = 0;
    std::uint32_t n = 0;
    if (!r.byte(art) || !r.varint(n)) return LinienStatus::kWrongLength;
    if (art != 1 && art != 2) return LinienStatus::kBad;
    if (n < 2 || n > punkte - l.breite.size()) return LinienStatus::kBad;
    l.linien.push_back({static_cast<Linienart>(art), static_cast<std::uint32_t>(l.breite.size()), n});
    std::int64_t x = 0, y = 0;
    for (std::uint32_t k = 0; k < n; ++k) {
      std::int64_t dx = 0, dy = 0;
      if (!r.zigzag(dx) || !r.zigzag(dy)) return LinienStatus::kWrongLength;
      x += dx;
      y += dy;
      if (x < -18000 || x > 18000 || y < -9000 || y > 9000) return LinienStatus::kBad;
      l.laenge.push_back(static_cast<float>(x) / 100.0f);
      l.breite.push_back(static_cast<float>(y) / 100.0f);
    }
  }
  if (l.breite.size() != punkte) return LinienStatus::kBad;
  if (!r.ende()) return LinienStatus::kWrongLength;
  return LinienStatus::kRead;
}

}  // namespace

LinienStatus dekodiereKartenlinien(std::string_view bytes, Kartenlinien& linien) {
  linien = {};
  const LinienStatus st = dekodiere(bytes, linien);
  if (st != LinienStatus::kRead) linien = {};
  return st;
}

LinienStatus leseKartenlinien(const std::filesystem::path& file, Kartenlinien& linien) {
  linien = {};
  std::string bytes;
  switch (readWholeFile(file, bytes, kGroesstes).kind) {
    case FileStatus::kOk: return dekodiereKartenlinien(bytes, linien);
    case FileStatus::kMissing: return LinienStatus::kMissing;
    case FileStatus::kWrongLength: return LinienStatus::kWrongLength;
    case FileStatus::kError: break;
  }
  return LinienStatus::kUnreadable;
}

}  // namespace welvaro
