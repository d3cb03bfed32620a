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
  const fs::path datei = dir / "MapWelt.dat";
  struct Case {
    const char* name;
    long laenge;  // -1: no file, -2: a folder
    OverlayStatus status;
  };
  const Case cases[] = {
      {"exact length", static_cast<long>(kWeltkarteLaenge), OverlayStatus::kRead},
      {"missing", -1, OverlayStatus::kMissing},
      {"one byte short", static_cast<long>(kWeltkarteLaenge) - 1, OverlayStatus::kWrongLength},
      {"one byte long", static_cast<long>(kWeltkarteLaenge) + 1, OverlayStatus::kWrongLength},
      {"the other overlay's length", static_cast<long>(kOrtskarteLaenge), OverlayStatus::kWrongLength},
      {"empty", 0, OverlayStatus::kWrongLength},
      {"a folder (not a regular file)", -2, OverlayStatus::kMissing},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(datei);
    if (c.laenge >= 0) writeFile(datei, pattern(static_cast<std::size_t>(c.laenge)));
    if (c.laenge == -2) fs::create_directory(datei);
    std::string maske = "old contents";
    EXPECT_EQ(readOverlay(datei, kWeltkarteLaenge, maske), c.status);
    EXPECT_EQ(maske, c.status == OverlayStatus::kRead ? pattern(kWeltkarteLaenge) : std::string(kWeltkarteLaenge, '\0'));
  }
}

TEST(Overlay, BothMasksOfTheStartUp) {
  TempDir dir;
  writeFile(dir / "MapOrt.dat", pattern(kOrtskarteLaenge));
  auto s = std::make_unique<State>();
  readOverlays(*s, dir / "MapWelt.dat", dir / "MapOrt.dat");
  EXPECT_EQ(s->Weltkarte, std::string(kWeltkarteLaenge, '\0'));
  EXPECT_EQ(s->Ortskarte, pattern(kOrtskarteLaenge));
}
