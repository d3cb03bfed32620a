#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "files/overlay.h"

using namespace welvaro;
namespace fs = std::filesystem;

namespace {

struct TempDir {
  fs::path path;
  TempDir() {
    std::string t = (fs::temp_directory_path() / "welvaro-overlay-XXXXXX").string();
    if (::mkdtemp(t.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
    path = t;
  }
  ~TempDir() {
    std::error_code ec;
    fs::remove_all(path, ec);
  }
};

void writeAll(const fs::path& p, const std::string& bytes) {
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// Bytes that differ from position to position, including every value 0..255.
std::string pattern(std::size_t n) {
  std::string b(n, '\0');
  for (std::size_t i = 0; i < n; ++i) b[i] = static_cast<char>((i * 7 + i / 544) & 0xFF);
  return b;
}

}  // namespace

TEST(Overlay, LengthsMatchTheBitmapRows) {
  EXPECT_EQ(kWeltkarteLaenge, 271u * 544u);
  EXPECT_EQ(kOrtskarteLaenge, 271u * 532u);
}

TEST(Overlay, ReadWholeOrZeroFilled) {
  TempDir dir;
  const fs::path datei = dir.path / "MapWelt.dat";
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
      {"a folder", -2, OverlayStatus::kUnreadable},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::error_code ec;
    fs::remove_all(datei, ec);
    if (c.laenge >= 0) writeAll(datei, pattern(static_cast<std::size_t>(c.laenge)));
    if (c.laenge == -2) fs::create_directory(datei);
    std::string maske = "old contents";
    EXPECT_EQ(readOverlay(datei, kWeltkarteLaenge, maske), c.status);
    ASSERT_EQ(maske.size(), kWeltkarteLaenge);
    if (c.status == OverlayStatus::kRead)
      EXPECT_EQ(maske, pattern(kWeltkarteLaenge));
    else
      EXPECT_EQ(maske.find_first_not_of('\0'), std::string::npos);
  }
}

TEST(Overlay, BothMasksOfTheStartUp) {
  TempDir dir;
  writeAll(dir.path / "MapOrt.dat", pattern(kOrtskarteLaenge));
  auto s = std::make_unique<State>();
  readOverlays(*s, dir.path / "MapWelt.dat", dir.path / "MapOrt.dat");
  EXPECT_EQ(s->Weltkarte, std::string(kWeltkarteLaenge, '\0'));
  EXPECT_EQ(s->Ortskarte, pattern(kOrtskarteLaenge));
}
