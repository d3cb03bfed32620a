// The world forecast table "Welvaro.tab" from arbitrary bytes: the file
// reader, the header and the block parse of prgTabPlus, and the world-map
// raster that reads the parsed values. Inputs stay short, so each one runs
// in well under a millisecond instead of turning into a whole 492580-byte
// table.
//
// Input: first byte bit 0 chooses the variant.
//  0: the bytes as a table file (never a whole table): readTableFile and
//     prgTabPlus must refuse it and change nothing.
//  1: the next 100 bytes as a header (dots when short) and the rest as up
//     to four grid blocks of 720 bytes (the last padded with byte 128, the
//     value 0); the first two bytes of each block choose its grid point.
//     The header and the blocks are parsed as prgTabPlus parses them; the
//     day check reads the day from the header; the world map's raster is
//     built at a display frequency and UTC minute from the first bytes.
//     Bit 1 chooses level or field strength for the raster.
#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

#include "display/worldmap.h"
#include "forecast/table.h"
#include "fuzz_check.h"
#include "state/numtext.h"

using namespace welvaro;
using namespace welvaro::fuzz;

namespace {

// Every value of grid point (i, j) against its byte in the block: b - 128
// held in -64..64, and the level formed from it. (The arrays are read
// through their plain storage: the checked accessor is the reader's.)
FUZZ_UNTRACED bool blockMatches(const State& s, int i, int j, const unsigned char* block) {
  for (int f = 1; f <= 30; ++f)
    for (int h = 1; h <= 24; ++h) {
      const int v = s.Weltfeld.v[i].v[j].v[f].v[h];
      const int b = static_cast<int>(block[(f - 1) * 24 + (h - 1)]) - 128;
      if (v != std::clamp(b, -64, 64)) return false;
      if (s.Weltpegel.v[i].v[j].v[f].v[h] != worldLevel(f, v)) return false;
    }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  static State* s = new State;

  if ((data[0] & 1) == 0) {
    static MemFile file;
    file.set(rest);
    s->TabText = "unchanged";
    const TableFileStatus r = readTableFile(file.path(), s->TabText);
    if (rest.size() == kTabLength) return 0;  // a whole table: no short input gets here
    FUZZ_CHECK(r.kind == TableFileStatus::kWrongLength && s->TabText == "unchanged");
    s->TabText = std::string(rest);
    FUZZ_CHECK(!prgTabPlus(*s) && s->TabText == rest);
    return 0;
  }

  // Header.
  const std::string_view head = rest.substr(0, kTabHeaderLength);
  s->TabText.assign(head);
  keepTabHeader(*s);
  FUZZ_CHECK(s->TabText.size() == kTabHeaderLength && s->TabText.compare(0, head.size(), head) == 0);
  FUZZ_CHECK(s->TabMonat == s->TabText.substr(0, 2) && s->TabTag == s->TabText.substr(3, 3));
  const double tag = ReadNumber(s->TabTag);  // the day check reads it like this
  FUZZ_CHECK(!std::isnan(tag));

  // Blocks.
  const std::string_view blocks = rest.size() > kTabHeaderLength ? rest.substr(kTabHeaderLength) : std::string_view{};
  const LevelTerms terms = levelTerms();
  std::array<unsigned char, kTabBlockLength> block;
  for (std::size_t k = 0; k < 4 && k * kTabBlockLength < blocks.size(); ++k) {
    const std::string_view item = blocks.substr(k * kTabBlockLength, kTabBlockLength);
    block.fill(128);
    std::memcpy(block.data(), item.data(), item.size());
    const int i = block[0] % kTabLats, j = block[1] % kTabLons;
    readTabBlock(*s, i, j, block.data(), terms);
    FUZZ_CHECK(blockMatches(*s, i, j, block.data()));
  }

  // The world map reads the parsed table at any display frequency the
  // settings file may hold and at any UTC minute.
  float frequency = 10.2f;
  if (blocks.size() >= sizeof frequency) std::memcpy(&frequency, blocks.data(), sizeof frequency);
  if (!std::isfinite(frequency)) frequency = 30.5f;  // the settings reader only lets finite values through
  s->AktFrequenz = frequency;
  const unsigned minutes =
      blocks.size() >= 6
          ? (static_cast<unsigned char>(blocks[4]) << 8 | static_cast<unsigned char>(blocks[5])) % 1440
          : 0;
  s->Zeitpunkt = DateTime{2024, 6, 1, static_cast<int>(minutes / 60), static_cast<int>(minutes % 60), 0};
  s->PegelFlag = (data[0] & 2) != 0 ? 1 : 0;
  buildWorldRaster(*s);
  for (int j = 0; j <= 35; ++j)
    for (int i = 0; i <= 18; ++i) FUZZ_CHECK(s->WeltRaster[j][i] >= 0 && s->WeltRaster[j][i] <= 108);
  return 0;
}
