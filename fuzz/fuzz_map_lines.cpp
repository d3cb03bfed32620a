// The map lines "MapLinien.dat" from arbitrary bytes: the reader takes the
// whole file or nothing; what it takes is a set of lines of at least two
// points each, one after the other, every position on the globe; written
// anew in the file's layout it reads back the same; and the file on disk
// reads as its bytes do.
#include <cmath>
#include <cstdint>
#include <string>

#include "files/map_lines.h"
#include "fuzz_check.h"

using namespace welvaro;

namespace {

FUZZ_UNTRACED void word32(std::string& out, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) out += static_cast<char>((v >> (8 * k)) & 0xFF);
}

FUZZ_UNTRACED void varint(std::string& out, std::uint32_t v) {
  while (v >= 0x80) {
    out += static_cast<char>((v & 0x7F) | 0x80);
    v >>= 7;
  }
  out += static_cast<char>(v);
}

FUZZ_UNTRACED void zigzag(std::string& out, std::int64_t v) {
  varint(out, static_cast<std::uint32_t>(v < 0 ? ((-v - 1) << 1) | 1 : v << 1));
}

// The lines in the file's layout, in the shortest form of every number.
FUZZ_UNTRACED std::string encode(const MapLines& l) {
  std::string out = "WVLINIEN";
  word32(out, 1);
  word32(out, static_cast<std::uint32_t>(l.lines.size()));
  word32(out, static_cast<std::uint32_t>(l.lat.size()));
  for (const MapLines::Line& line : l.lines) {
    out += static_cast<char>(line.kind);
    varint(out, line.count);
    std::int64_t x = 0, y = 0;
    for (std::uint32_t k = line.start; k < line.start + line.count; ++k) {
      const auto nx = static_cast<std::int64_t>(std::lround(l.lon[k] * 100.0f));
      const auto ny = static_cast<std::int64_t>(std::lround(l.lat[k] * 100.0f));
      zigzag(out, nx - x);
      zigzag(out, ny - y);
      x = nx;
      y = ny;
    }
  }
  return out;
}

FUZZ_UNTRACED void check(const MapLines& l) {
  FUZZ_CHECK(l.lat.size() == l.lon.size());
  std::uint32_t next = 0;
  for (const MapLines::Line& line : l.lines) {
    FUZZ_CHECK(line.kind == LineKind::Coast || line.kind == LineKind::Border);
    FUZZ_CHECK(line.start == next);
    FUZZ_CHECK(line.count >= 2);
    next += line.count;
  }
  FUZZ_CHECK(next == l.lat.size());
  for (std::size_t k = 0; k < l.lat.size(); ++k) {
    FUZZ_CHECK(l.lat[k] >= -90.0f && l.lat[k] <= 90.0f);
    FUZZ_CHECK(l.lon[k] >= -180.0f && l.lon[k] <= 180.0f);
  }
}

FUZZ_UNTRACED bool same(const MapLines& a, const MapLines& b) {
  if (a.lines.size() != b.lines.size() || a.lat != b.lat || a.lon != b.lon) return false;
  for (std::size_t i = 0; i < a.lines.size(); ++i)
    if (a.lines[i].kind != b.lines[i].kind || a.lines[i].start != b.lines[i].start ||
        a.lines[i].count != b.lines[i].count)
      return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemFile file;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  MapLines l;
  const LinesStatus st = decodeMapLines(bytes, l);
  if (st != LinesStatus::kRead) {
    FUZZ_CHECK(l.blank() && l.lat.empty() && l.lon.empty());
  } else {
    check(l);
    MapLines again;
    FUZZ_CHECK(decodeMapLines(encode(l), again) == LinesStatus::kRead);
    FUZZ_CHECK(same(l, again));
  }

  file.set(bytes);
  MapLines fromFile;
  FUZZ_CHECK(readMapLines(file.path(), fromFile) == st);
  FUZZ_CHECK(same(fromFile, l));
  return 0;
}
