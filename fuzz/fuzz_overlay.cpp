// The overlay masks "MapWelt.dat" and "MapOrt.dat" from arbitrary bytes:
// the reader takes a file, so the bytes are put in a file in memory and
// read through its path; then the mask is laid over a picture the way the
// displays do it, which is where its bytes are read one by one.
//
// Input: first byte bit 0 chooses the world map (0) or the chart (1),
// bit 1 whether the rest is repeated to the overlay's exact length (1) or
// taken as it is (0, almost always a file of the wrong length).
#include <cstdint>
#include <string>

#include "display/bitmap.h"
#include "display/chart.h"
#include "display/worldmap.h"
#include "files/overlay.h"
#include "fuzz_check.h"

using namespace welvaro;
using namespace welvaro::fuzz;

namespace {

// Below the top row: a drawn byte paints its grey, everything else shows
// the value scale (at most 128); the padding stays zero.
FUZZ_UNTRACED bool painted(const BitmapGrid& g, const std::string& picture, const std::string& mask) {
  const std::size_t pixel = static_cast<std::size_t>(g.sections * g.pixelsPerSection);
  const auto* px = reinterpret_cast<const unsigned char*>(picture.data()) + kBmpDataStart;
  const auto* mk = reinterpret_cast<const unsigned char*>(mask.data());
  for (std::size_t z = 0; z + 1 < static_cast<std::size_t>(kBitmapHeight); ++z) {
    for (std::size_t i = 0; i < pixel; ++i) {
      const unsigned char m = mk[z * g.row + i], p = px[z * g.row + i];
      if (m > 16 ? p != 128 + m / 2 : p > 128) return false;
    }
    for (std::size_t i = pixel + 1; i < g.row; ++i)
      if (px[z * g.row + i] != 0) return false;
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const bool chart = (data[0] & 1) != 0;
  const bool whole = (data[0] & 2) != 0;
  const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
  const std::size_t lon = chart ? kChartOverlayLength : kWorldOverlayLength;
  const std::string bytes = whole ? tiled(rest, lon) : std::string(rest);

  static MemFile file;
  file.set(bytes);
  static State* s = new State;
  std::string& mask = chart ? s->Ortskarte : s->Weltkarte;
  const OverlayStatus st = readOverlay(file.path(), lon, mask);

  FUZZ_CHECK(mask.size() == lon);
  if (bytes.size() == lon) {
    FUZZ_CHECK(st == OverlayStatus::kRead && mask == bytes);
  } else {
    FUZZ_CHECK(st == OverlayStatus::kWrongLength);
    FUZZ_CHECK(mask.find_first_not_of('\0') == std::string::npos);
  }

  // Colour indices of the value grid from the bytes, inside the scale 0..108.
  std::size_t k = 0;
  auto value = [&] { return static_cast<int16>(rest.empty() ? 0 : static_cast<unsigned char>(rest[k++ % rest.size()]) % 109); };
  std::string picture;
  if (chart) {
    for (int h = 0; h <= 24; ++h)
      for (int f = 0; f <= 30; ++f) s->OrtsRaster[h][f] = value();
    chartBitmapFromRaster(*s, picture);
    FUZZ_CHECK(picture.size() == kChartBitmapLength);
  } else {
    for (int j = 0; j <= 35; ++j)
      for (int i = 0; i <= 18; ++i) s->WeltRaster[j][i] = value();
    worldBitmapFromRaster(*s, picture);
    FUZZ_CHECK(picture.size() == kWorldBitmapLength);
  }

  FUZZ_CHECK(painted(chart ? kChartBitmapGrid : kWorldBitmapGrid, picture, mask));
  return 0;
}
