// The world forecast table "Welvaro.tab" from arbitrary bytes: the file
// reader, the parser prgTabPlus and the world-map raster that reads the
// parsed table.
//
// Input: first byte bit 0 chooses a whole image (1) or the bytes as they
// are (0, almost always a file of the wrong length). A whole image is the
// next 100 bytes as its header (dots when short) and the rest repeated
// over the 684 grid blocks, so a small input stands for a whole table.
// Bit 1 chooses level or field strength for the raster; the display
// frequency and the UTC time come from the first bytes of the rest.
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

// Every value of the parsed table against its byte in the image: b - 128
// held in -64..64, and the level formed from it. (The arrays are read
// through their plain storage: the checked accessor is the reader's.)
FUZZ_UNTRACED bool tabelleStimmt(const State& s, const std::string& bild) {
  static const auto pegel = [] {  // weltpegel(f, v) for f 1..30, v -64..64
    std::array<std::array<int16, 129>, 31> p{};
    for (int f = 1; f <= 30; ++f)
      for (int v = -64; v <= 64; ++v) p[f][v + 64] = weltpegel(f, v);
    return p;
  }();
  for (int i = 0; i < kTabBreiten; ++i)
    for (int j = 0; j < kTabLaengen; ++j)
      for (int f = 1; f <= 30; ++f)
        for (int h = 1; h <= 24; ++h) {
          const int v = s.Weltfeld.v[i].v[j].v[f].v[h];
          const int b = static_cast<unsigned char>(bild[tabOffset(i, j, f, h)]) - 128;
          if (v != (b < -64 ? -64 : b > 64 ? 64 : b)) return false;
          if (s.Weltpegel.v[i].v[j].v[f].v[h] != pegel[f][v + 64]) return false;
        }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool ganz = (data[0] & 1) != 0;
  const bool pegel = (data[0] & 2) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);

  std::string bild;
  if (ganz) {
    const std::string_view kopf = rest.substr(0, kTabKopfLaenge);
    bild.assign(kopf);
    bild.resize(kTabKopfLaenge, '.');
    bild += tiled(rest.substr(kopf.size()), kTabLaenge - kTabKopfLaenge);
  } else {
    bild.assign(rest);
  }

  static MemFile file;
  file.set(bild);
  static State* s = new State;
  s->TabText = "unchanged";
  const TableFileStatus r = readTableFile(file.path(), s->TabText);
  if (bild.size() != kTabLaenge) {
    FUZZ_CHECK(r.kind == TableFileStatus::kWrongLength && s->TabText == "unchanged");
    // The parser must refuse an image of the wrong length as well.
    s->TabText = bild;
    FUZZ_CHECK(!prgTabPlus(*s) && s->TabText == bild);
    return 0;
  }
  FUZZ_CHECK(r.ok() && s->TabText == bild);

  FUZZ_CHECK(prgTabPlus(*s));
  FUZZ_CHECK(s->TabText == bild.substr(0, kTabKopfLaenge));
  FUZZ_CHECK(s->TabMonat == bild.substr(0, 2) && s->TabTag == bild.substr(3, 3));
  const double tag = ReadNumber(s->TabTag);  // the day check reads it like this
  FUZZ_CHECK(!std::isnan(tag));
  FUZZ_CHECK(tabelleStimmt(*s, bild));

  // The world map reads the parsed table at any display frequency the
  // settings file may hold and at any UTC minute.
  const std::string_view bloecke = rest.size() > kTabKopfLaenge ? rest.substr(kTabKopfLaenge) : std::string_view{};
  float frequenz = 10.2f;
  if (bloecke.size() >= sizeof frequenz) std::memcpy(&frequenz, bloecke.data(), sizeof frequenz);
  if (!std::isfinite(frequenz)) frequenz = 30.5f;  // the settings reader only lets finite values through
  s->AktFrequenz = frequenz;
  const unsigned minuten = bloecke.size() >= 6 ? (static_cast<unsigned char>(bloecke[4]) << 8 |
                                                  static_cast<unsigned char>(bloecke[5])) % 1440
                                               : 0;
  s->Zeitpunkt = DateTime{2024, 6, 1, static_cast<int>(minuten / 60), static_cast<int>(minuten % 60), 0};
  s->PegelFlag = pegel ? 1 : 0;
  std::string karte;
  weltBild(*s, karte);
  FUZZ_CHECK(karte.size() == kWeltBildLaenge);
  for (int j = 0; j <= 35; ++j)
    for (int i = 0; i <= 18; ++i) FUZZ_CHECK(s->WeltRaster[j][i] >= 0 && s->WeltRaster[j][i] <= 108);
  return 0;
}
