// The overlay masks: read whole or zero-filled, at start-up both of them.
#include <gtest/gtest.h>

#include "files/overlay.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

// Bytes that differ from position to position, including every value 0..255.
std::string pattern(std::size_t n) {
  std::string b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>((i * 7 + i / 544) & 0xFF);
  return b;
}

}  // namespace

TEST(Overlay, ReadWholeOrZeroFilled) {
  TempDir dir;
  const fs::path file = dir / "MapWelt.dat";
  struct Case {
    const char* name;
    long length;  // -1: no file, -2: a folder
    OverlayStatus status;
  };
  const Case cases[] = {
      {"exact length", static_cast<long>(kWorldOverlayLength), OverlayStatus::kRead},
      {"missing", -1, OverlayStatus::kMissing},
      {"one byte short", static_cast<long>(kWorldOverlayLength) - 1, OverlayStatus::kWrongLength},
      {"one byte long", static_cast<long>(kWorldOverlayLength) + 1, OverlayStatus::kWrongLength},
      {"the other overlay's length", static_cast<long>(kChartOverlayLength), OverlayStatus::kWrongLength},
      {"empty", 0, OverlayStatus::kWrongLength},
      {"a folder (not a regular file)", -2, OverlayStatus::kMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(file);
    if (c.length >= 0) writeFile(file, pattern(static_cast<std::size_t>(c.length)));
    if (c.length == -2) fs::create_directory(file);
    std::string mask = "old contents";
    EXPECT_EQ(readOverlay(file, kWorldOverlayLength, mask), c.status);
    EXPECT_EQ(mask, c.status == OverlayStatus::kRead ? pattern(kWorldOverlayLength) : std::string(kWorldOverlayLength, '\0'));
  }
}

TEST(Overlay, BothMasksOfTheStartUp) {
  TempDir dir;
  writeFile(dir / "MapOrt.dat", pattern(kChartOverlayLength));
  auto s = std::make_unique<State>();
  readOverlays(*s, dir / "MapWelt.dat", dir / "MapOrt.dat");
  EXPECT_EQ(s->Weltkarte, std::string(kWorldOverlayLength, '\0'));
  EXPECT_EQ(s->Ortskarte, pattern(kChartOverlayLength));
}
