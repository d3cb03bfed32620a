// The window's words: the language table against its review table
// (tests/data/texts.tsv), French and Spanish texts that are not English ones,
// and one spelling of the field-strength unit.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "display/caption.h"
#include "display/cursor.h"
#include "forecast/point_result.h"
#include "lang/sprachtext.h"
#include "testutil.h"

using namespace welvaro;
using namespace welvaro::test;

namespace {

constexpr int kDe = 0, kEn = 1, kEs = 3, kFr = 4;

// The UTF-8 bytes of code point `c` (below 0x10000).
std::string utf8(unsigned c) {
  std::string s;
  if (c < 0x80) {
    s += static_cast<char>(c);
  } else if (c < 0x800) {
    s += static_cast<char>(0xC0 | (c >> 6));
    s += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    s += static_cast<char>(0xE0 | (c >> 12));
    s += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    s += static_cast<char>(0x80 | (c & 0x3F));
  }
  return s;
}

// One field of the review table with its escapes undone (see the head of
// the file).
std::string unescape(const std::string& field) {
  std::string out;
  for (std::size_t i = 0; i < field.size(); ++i) {
    if (field[i] != '\\' || i + 1 == field.size()) {
      out += field[i];
      continue;
    }
    const char c = field[++i];
    if (c == 'r') out += '\r';
    else if (c == 'n') out += '\n';
    else if (c == 't') out += '\t';
    else if (c == 's') out += ' ';
    else if (c == '\\') out += '\\';
    else if (c == 'u' && i + 4 < field.size()) {
      out += utf8(static_cast<unsigned>(std::stoul(field.substr(i + 1, 4), nullptr, 16)));
      i += 4;
    } else {
      ADD_FAILURE() << "unknown escape \\" << c << " in " << field;
    }
  }
  return out;
}

struct Row {
  int key = -1;
  std::string de, en, es, fr;
};

std::vector<Row> reviewTable() {
  std::vector<Row> rows;
  bool head = true;
  for (const std::string& line : split(readFile(WELVARO_TEST_DATA "/texts.tsv"))) {
    if (line.empty() || line[0] == '#') continue;
    if (head) {
      EXPECT_EQ(line, "key\tde\ten\tes\tfr");
      head = false;
      continue;
    }
    const std::vector<std::string> f = split(line, "\t");
    if (f.size() != 5) {
      ADD_FAILURE() << "not five columns: " << line;
      continue;
    }
    rows.push_back({std::stoi(f[0]), unescape(f[1]), unescape(f[2]), unescape(f[3]), unescape(f[4])});
  }
  return rows;
}

std::string text(int key, int slot) { return textEntry(kLanguageSlots * key + slot); }

}  // namespace

// Every key in order, each text as the review table has it: a text changed
// in the program without the table (or the other way round) fails here.
TEST(ReviewTable, EveryKeyAndTextAsReviewed) {
  const std::vector<Row> rows = reviewTable();
  ASSERT_EQ(rows.size(), static_cast<std::size_t>(kTextKeys));
  for (int k = 0; k < kTextKeys; ++k) {
    const Row& r = rows[static_cast<std::size_t>(k)];
    SCOPED_TRACE(testing::Message() << "key " << k);
    EXPECT_EQ(r.key, k);
    EXPECT_EQ(text(k, kDe), r.de);
    EXPECT_EQ(text(k, kEn), r.en);
    EXPECT_EQ(text(k, kEs), r.es);
    EXPECT_EQ(text(k, kFr), r.fr);
  }
}

// The words of a text: runs of Latin letters (accented ones included; the
// ellipsis, the degree and the micro sign are no letters).
std::vector<std::string> words(const std::string& t) {
  std::vector<std::string> w;
  std::string run;
  for (std::size_t i = 0; i < t.size();) {
    const auto b = static_cast<unsigned char>(t[i]);
    const std::size_t n = b < 0x80 ? 1 : b < 0xE0 ? 2 : b < 0xF0 ? 3 : 4;
    const unsigned c = n == 1 ? b : n == 2 ? ((b & 0x1Fu) << 6) | (static_cast<unsigned char>(t[i + 1]) & 0x3Fu) : 0;
    const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= 0xC0 && c != 0xD7 && c != 0xF7);
    if (letter) {
      run += t.substr(i, n);
    } else if (!run.empty()) {
      w.push_back(run);
      run.clear();
    }
    i += n;
  }
  if (!run.empty()) w.push_back(run);
  return w;
}

// The faults a French or Spanish reader met are gone for good: no text of
// those languages is the English one, unless all its words are words both
// languages use, names or units.
TEST(ReviewTable, FrenchAndSpanishTextsAreNotEnglish) {
  const std::set<std::string> shared = {"Station",  "Distance",   "Position", "Latitude", "Longitude", "Conditions",
                                        "Options",  "Error",      "Locator",  "Welvaro",  "A",         "B",
                                        "Mode"};
  for (int k = 0; k < kTextKeys; ++k) {
    SCOPED_TRACE(testing::Message() << "key " << k);
    const std::string en = text(k, kEn);
    for (const int slot : {kEs, kFr}) {
      SCOPED_TRACE(slot == kEs ? "Spanish" : "French");
      if (text(k, slot) != en) continue;
      for (const std::string& w : words(en)) EXPECT_TRUE(shared.count(w)) << "English word: " << w;
    }
  }
}

// Field strength has one unit spelling wherever a text names it.
TEST(ReviewTable, OneSpellingOfTheFieldStrengthUnit) {
  for (int e = 0; e < kTextEntries; ++e) {
    const std::string_view t = SprachText[static_cast<std::size_t>(e)];
    SCOPED_TRACE(e);
    for (auto p = t.find("V/m"); p != std::string_view::npos; p = t.find("V/m", p + 1))
      EXPECT_TRUE(p >= 5 && t.substr(p - 5, 5) == "dB(\xC2\xB5") << t;
    EXPECT_EQ(t.find("dB\xC2\xB5"), std::string_view::npos) << t;
  }
}

// Labels the program joins to their values keep French typography (a
// no-break space before the colon) and the other languages' texts as they
// were: the point result, the cursor read-out and the bearing line.
TEST(ReviewTable, FrenchLabelsSetANoBreakSpaceBeforeTheColon) {
  auto s = defaultLink({2026, 5, 20, 14, 0, 0});
  s->Zeitpunkt = {2026, 5, 20, 12, 0, 0};
  s->AktFrequenz = 10.2f;
  fillMonthNames(*s);
  const std::string nbsp = "\xC2\xA0:";
  for (const int slot : {kDe, kEn, kEs, kFr}) {
    SCOPED_TRACE(slot);
    s->L = static_cast<int16_t>(slot);
    ASSERT_EQ(prgPointErgebnis(*s), 0);
    s->FarbWert = 54;
    const std::vector<std::string> caption = chartCaption(*s, {});
    const std::string stationA = *std::find_if(caption.begin(), caption.end(),
                                               [](const std::string& c) { return c.rfind("A", 0) == 0; });
    const std::string built[] = {s->GeoAuswertung, valueText(*s, true), degreeText(*s, 48.1f, 11.5f), stationA};
    for (const std::string& t : built) {
      SCOPED_TRACE(t);
      const auto colon = t.find(':');
      ASSERT_NE(colon, std::string::npos);
      if (slot == kFr) {
        EXPECT_EQ(t.substr(colon - 2, 3), nbsp);
        EXPECT_EQ(t.find(" :"), std::string::npos);  // never a breaking space
      } else {
        EXPECT_NE(t[colon - 1], ' ');
        EXPECT_EQ(t.find("\xC2\xA0"), std::string::npos);
      }
    }
  }
  s->L = kDe;
  ASSERT_EQ(prgPointErgebnis(*s), 0);
  EXPECT_NE(s->GeoAuswertung.find("Distanz: 1478 km"), std::string::npos);
}
