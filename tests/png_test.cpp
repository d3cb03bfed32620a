// PNG files of the pictures: the structure a reader checks (signature,
// chunk lengths and CRCs, IHDR), and the pixels read back through zlib and
// the row filters, and welvaro-cli map/chart --png at exact sizes.
#include <gtest/gtest.h>
#include <zlib.h>

#include <cstdlib>
#include <vector>

#include "files/png.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

std::uint32_t word(const std::string& b, std::size_t at) {
  std::uint32_t v = 0;
  for (int k = 0; k < 4; ++k) v = (v << 8) | static_cast<unsigned char>(b.at(at + k));
  return v;
}

struct ReadBack {
  int width = 0, height = 0;
  std::vector<std::uint32_t> pixel;
};

// A minimal reader for what pngImage writes: checks every chunk's CRC,
// inflates the IDAT data (one chunk or several in a row) and undoes the
// five row filters.
ReadBack read(const std::string& png) {
  ReadBack g;
  EXPECT_EQ(png.substr(0, 8), std::string("\x89PNG\r\n\x1a\n", 8));
  std::string data;
  std::vector<std::string> types;
  for (std::size_t at = 8; at + 12 <= png.size();) {
    const std::uint32_t n = word(png, at);
    const std::string type = png.substr(at + 4, 4);
    // The compressed data may come in several IDAT chunks in a row.
    if (type != "IDAT" || types.empty() || types.back() != "IDAT") types.push_back(type);
    const std::string content = png.substr(at + 8, n);
    EXPECT_EQ(word(png, at + 8 + n),
              crc32(0, reinterpret_cast<const Bytef*>(png.data() + at + 4), static_cast<uInt>(n + 4)))
        << type;
    if (type == "IHDR") {
      g.width = static_cast<int>(word(content, 0));
      g.height = static_cast<int>(word(content, 4));
      EXPECT_EQ(content.substr(8), std::string("\x08\x02\0\0\0", 5));
    }
    if (type == "IDAT") data += content;
    at += 12 + n;
  }
  EXPECT_EQ(types, (std::vector<std::string>{"IHDR", "IDAT", "IEND"}));
  const std::size_t row = static_cast<std::size_t>(g.width) * 3;
  std::vector<unsigned char> raw((row + 1) * g.height);
  uLongf lon = raw.size();
  EXPECT_EQ(uncompress(raw.data(), &lon, reinterpret_cast<const Bytef*>(data.data()), data.size()), Z_OK);
  EXPECT_EQ(lon, raw.size());
  std::vector<unsigned char> before(row, 0), now(row);
  for (int y = 0; y < g.height; ++y) {
    const unsigned char* r = raw.data() + y * (row + 1);
    for (std::size_t i = 0; i < row; ++i) {
      const int a = i >= 3 ? now[i - 3] : 0, b = before[i], c = i >= 3 ? before[i - 3] : 0;
      const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
      const int paeth = pa <= pb && pa <= pc ? a : (pb <= pc ? b : c);
      const int prediction[] = {0, a, b, (a + b) / 2, paeth};
      EXPECT_LE(r[0], 4);
      now[i] = static_cast<unsigned char>(r[1 + i] + prediction[r[0] % 5]);
    }
    for (int x = 0; x < g.width; ++x)
      g.pixel.push_back(0xFF000000u | now[3 * x] << 16 | now[3 * x + 1] << 8 | now[3 * x + 2]);
    before = now;
  }
  return g;
}

}  // namespace

TEST(Png, PixelsReadBackExactly) {
  // Smooth areas, noise and hard edges, so that every filter gets chosen.
  const int w = 97, h = 61;
  std::vector<std::uint32_t> picture(w * h);
  std::uint32_t seed = 1;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      picture[y * w + x] = y < 20 ? 0xFF000000u | (x * 2) << 16 | (y * 4) << 8 | 7
                               : (y < 40 ? seed | 0xFF000000u : (x % 10 < 5 ? 0xFFFFFFFFu : 0xFF000000u));
    }
  const ReadBack g = read(pngImage(picture.data(), w, h));
  EXPECT_EQ(g.width, w);
  EXPECT_EQ(g.height, h);
  EXPECT_EQ(g.pixel, picture);
  EXPECT_TRUE(pngImage(picture.data(), 0, 5).empty());
  EXPECT_TRUE(pngImage(nullptr, 5, 5).empty());
}

// Noise compresses badly: the stream runs over several IDAT chunks, and the
// picture still reads back exactly.
TEST(Png, ALargePictureInSeveralChunks) {
  const int w = 700, h = 500;
  std::vector<std::uint32_t> picture(static_cast<std::size_t>(w) * h);
  std::uint32_t seed = 3;
  for (std::uint32_t& p : picture) {
    seed = seed * 1664525u + 1013904223u;
    p = seed | 0xFF000000u;
  }
  const std::string png = pngImage(picture.data(), w, h);
  EXPECT_GT(png.size(), 2u * w * h);
  int idat = 0;
  for (std::size_t at = 8; at + 12 <= png.size(); at += 12 + word(png, at)) idat += png.substr(at + 4, 4) == "IDAT";
  EXPECT_GT(idat, 1);
  EXPECT_EQ(read(png).pixel, picture);
}

TEST(Png, WelvaroCliWritesPicturesOfTheSizeAsked) {
  TempDir d;
  ASSERT_EQ(runCli({"table", "--dir", d.str(), "--date", "2026-12-08"}).rc, 0);
  struct Case {
    std::vector<std::string> args;
    int width, height;
  };
  const Case cases[] = {
      {{"map", "--freq", "14.2", "--utc", "18:30"}, 1280, 660},
      {{"map", "--freq", "7", "--utc", "00:00", "--size", "1921x1081", "--greyline", "--b", "40.7,-74"}, 1921, 1081},
      {{"map", "--freq", "7", "--utc", "06:10", "--projection", "azimuthal", "--field"}, 980, 860},
      {{"map", "--freq", "21", "--utc", "12:00", "--projection", "azimuthal", "--size", "333x555", "--path", "L",
        "--b", "-33.9,151.2"},
       333, 555},
      {{"map", "--freq", "3.5", "--utc", "23:59", "--size", "16x16"}, 16, 16},
      {{"chart", "--b", "35.7,139.7"}, 1280, 660},
      {{"chart", "--size", "800x2000", "--field"}, 800, 2000},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.args[0] + " " + f.args.back());
    std::vector<std::string> args = f.args;
    args.insert(args.end(), {"--dir", d.str(), "--png", (d / "b.png").string()});
    const CliRun r = runCli(args);
    ASSERT_EQ(r.rc, 0) << r.err;
    const std::string png = readFile(d / "b.png");
    EXPECT_EQ(r.out, (d / "b.png").string() + ": " + std::to_string(f.width) + " x " + std::to_string(f.height) +
                         " pixels, " + std::to_string(png.size()) + " bytes\n");
    const ReadBack g = read(png);
    EXPECT_EQ(g.width, f.width);
    EXPECT_EQ(g.height, f.height);
  }
  // --png leaves the bitmap alone.
  EXPECT_FALSE(std::filesystem::exists(d / "WelvDar1.bmp"));
  EXPECT_FALSE(std::filesystem::exists(d / "WelvDar2.bmp"));
}

// A picture saved by the command line says what it shows: its caption's
// lines in black on the white ground above the map, the chart likewise.
TEST(Png, WelvaroCliPicturesCarryTheirCaption) {
  TempDir d;
  ASSERT_EQ(runCli({"table", "--dir", d.str(), "--date", "2026-12-08"}).rc, 0);
  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"map", "--freq", "14.2", "--utc", "18:30", "--greyline", "--b", "40.4,-3.7", "--name-b",
                                 "Madrid"},
        std::vector<std::string>{"map", "--freq", "7", "--utc", "06:10", "--projection", "azimuthal", "--lang", "4"},
        std::vector<std::string>{"chart", "--b", "35.7,139.7", "--lang", "1"}}) {
    SCOPED_TRACE(args[0] + " " + args.back());
    std::vector<std::string> withLine = args;
    withLine.insert(withLine.end(), {"--dir", d.str(), "--png", (d / "b.png").string()});
    ASSERT_EQ(runCli(withLine).rc, 0);
    const ReadBack g = read(readFile(d / "b.png"));
    int black = 0;
    for (int y = 0; y < 2 * 22; ++y)
      for (int x = 0; x < g.width; ++x) black += g.pixel[static_cast<std::size_t>(y) * g.width + x] == 0xFF000000u;
    EXPECT_GT(black, 1000);
  }
}

TEST(Png, WelvaroCliRefusesBadPictureOptions) {
  TempDir d;
  ASSERT_EQ(runCli({"table", "--dir", d.str(), "--date", "2026-12-08"}).rc, 0);
  const std::vector<std::string> map = {"map", "--dir", d.str(), "--freq", "14", "--utc", "12:00"};
  struct Case {
    std::vector<std::string> more;
    int rc;
  };
  const Case cases[] = {
      {{"--png", (d / "x.png").string(), "--size", "0x100"}, 2},
      {{"--png", (d / "x.png").string(), "--size", "15x100"}, 2},
      {{"--png", (d / "x.png").string(), "--size", "8193x100"}, 2},
      {{"--png", (d / "x.png").string(), "--size", "100x"}, 2},
      {{"--png", (d / "x.png").string(), "--size", "100x100x1"}, 2},
      {{"--png", (d / "x.png").string(), "--size", " 100x100"}, 2},
      {{"--png", (d / "x.png").string(), "--projection", "mercator"}, 2},
      {{"--size", "100x100"}, 2},
      {{"--greyline"}, 2},
      {{"--png"}, 2},
      {{"--png", (d / "kein" / "x.png").string()}, 4},
  };
  for (const Case& f : cases) {
    std::vector<std::string> args = map;
    args.insert(args.end(), f.more.begin(), f.more.end());
    const CliRun r = runCli(args);
    EXPECT_EQ(r.rc, f.rc) << f.more.back() << ": " << r.err;
    EXPECT_FALSE(r.err.empty());
  }
  EXPECT_EQ(runCli({"chart", "--dir", d.str(), "--projection", "azimuthal", "--png", (d / "c.png").string()}).rc, 2);
  // A point B on station A: no chart, no file.
  EXPECT_EQ(runCli({"chart", "--dir", d.str(), "--a", "40,10", "--b", "40,10", "--png", (d / "c.png").string()}).rc,
            3);
  EXPECT_FALSE(std::filesystem::exists(d / "c.png"));
}

// Small steps in every colour with a little noise make the Paeth filter win
// rows in which two of its three distances are equal: the predictor must
// settle such ties as every reader does (left, then above, then upper left).
TEST(Png, PaethTiesAreSettledAsReadersDo) {
  const int w = 8, h = 8;
  std::vector<std::uint32_t> picture(w * h);
  std::uint32_t seed = 5;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      seed = seed * 1664525u + 1013904223u;
      const std::uint32_t noise = (seed >> 24) & 3;
      picture[y * w + x] = 0xFF000000u | ((noise * 0x10101u + x * 0x20000u + y * 0x200u) & 0xFFFFFFu);
    }
  const ReadBack g = read(pngImage(picture.data(), w, h));
  EXPECT_EQ(g.pixel, picture);
  EXPECT_TRUE(pngImage(picture.data(), 5, 0).empty());
  EXPECT_TRUE(pngImage(picture.data(), -1, 5).empty());
}
