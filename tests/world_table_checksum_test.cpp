// Whole world tables pinned by a checksum of every byte: a change anywhere
// in the model (a band limit of the F2 tables, a season, a correction)
// that moves a single value of a single grid point by 1 dB shows here. The
// stations are chosen so that the paths cross every latitude band of the
// F2 tables, the geomagnetic poles included.
#include <gtest/gtest.h>

#include <cstdint>
#include <string_view>

#include "forecast/table.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// FNV-1a, 64 bits.
std::uint64_t fnv1a(std::string_view bytes) {
  std::uint64_t h = 14695981039346656037ull;
  for (const char c : bytes) {
    h ^= static_cast<unsigned char>(c);
    h *= 1099511628211ull;
  }
  return h;
}

}  // namespace

TEST(WorldTableChecksum, WholeImagesOfFixedStates) {
  struct Case {
    const char* name;
    DateTime today;
    double x1;
    float y1;
    double ssn;
    double availability;
    const char* path;
    std::uint64_t checksum;
  } cases[] = {
      {"Munich, December, the start values",
       {2026, 12, 7, 12, 0, 0}, 48.1, 11.5f, 128, 50, "S", 0x121cbd4c173834e6},
      {"Qaanaaq near the geomagnetic north pole, June",
       {2026, 6, 20, 12, 0, 0}, 77.5, -69.2f, 200, 90, "S", 0x4559a78f2f70a1a5},
      {"McMurdo near the geomagnetic south pole, March",
       {2026, 3, 2, 12, 0, 0}, -77.8, 166.7f, 0, 10, "S", 0x247e540adecdbfbe},
      {"Quito on the equator, September, long path",
       {2026, 9, 28, 12, 0, 0}, -0.2, -78.5f, 300, 50, "L", 0x3e033f248bbcb126},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    auto s = defaultLink(f.today);
    s->X1 = f.x1;
    s->Y1 = f.y1;
    s->Ssna = f.ssn;
    s->Ssn = std::to_string(static_cast<int>(f.ssn));
    s->Iproz = f.availability;
    s->P = f.path;
    GenTabInfo info;
    EXPECT_EQ(prgGenTabPlus(*s, &info), 0);
    EXPECT_EQ(info.filled, 0);
    ASSERT_EQ(s->TabText.size(), kTabLength);
    EXPECT_EQ(fnv1a(s->TabText), f.checksum) << std::hex << "0x" << fnv1a(s->TabText) << " moved "
                                                << info.moved;
  }
}
