// Windows-1252 <-> UTF-8 conversion of the program's text files.
#include <gtest/gtest.h>

#include <string>

#include "files/codepage.h"

using namespace welvaro;

TEST(Codepage, EveryByteSurvivesTheWayThroughUtf8) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE(b);
    const std::string byte(1, static_cast<char>(b));
    const std::string utf8 = cp1252ToUtf8(byte);
    EXPECT_TRUE(isUtf8(utf8));
    EXPECT_EQ(utf8ToCp1252(utf8), byte);
    // Distinct bytes give distinct characters.
    for (int c = 0; c < b; ++c) EXPECT_NE(cp1252ToUtf8(std::string(1, static_cast<char>(c))), utf8);
  }
}

TEST(Codepage, BytesBecomeTheirCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  } cases[] = {
      {0x41, "A"},
      {0x80, "\xE2\x82\xAC"},  // euro sign
      {0xE4, "\xC3\xA4"},      // ä
      {0x8A, "\xC5\xA0"},      // Š
      {0x93, "\xE2\x80\x9C"},  // left double quotation mark
      {0x99, "\xE2\x84\xA2"},  // trade mark
      {0x9F, "\xC5\xB8"},      // Ÿ
      {0xA0, "\xC2\xA0"},      // no-break space
      {0xFF, "\xC3\xBF"},      // ÿ
      // The five free positions keep their number as a C1 control.
      {0x81, "\xC2\x81"}, {0x8D, "\xC2\x8D"}, {0x8F, "\xC2\x8F"}, {0x90, "\xC2\x90"}, {0x9D, "\xC2\x9D"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(static_cast<int>(c.byte));
    EXPECT_EQ(cp1252ToUtf8(std::string(1, static_cast<char>(c.byte))), c.utf8);
  }
  EXPECT_EQ(cp1252ToUtf8("M\xFCnchen \x80 5"), "M\xC3\xBCnchen \xE2\x82\xAC 5");
}

TEST(Codepage, Utf8TextToBytes) {
  struct Case {
    const char* utf8;
    const char* bytes;
  } cases[] = {
      {"Stationsort(A): M\xC3\xBCnchen", "Stationsort(A): M\xFCnchen"},
      {"L\xC3\xA4ngengrad, Verf\xC3\xBC" "gbarkeit, Abstrahlwinkel(\xC2\xB0)",
       "L\xE4ngengrad, Verf\xFCgbarkeit, Abstrahlwinkel(\xB0)"},
      {"\xE2\x82\xAC 10", "\x80 10"},
      {"tab\tcr\r\nend", "tab\tcr\r\nend"},
      // Letters Windows-1252 cannot hold: their nearest plain letters;
      // letters it holds stay.
      {"\xC5\x81\xC3\xB3" "d\xC5\xBA", "L\xF3" "dz"},  // Łódź
      {"\xD0\x9C\xD0\xBE\xD1\x81\xD0\xBA\xD0\xB2\xD0\xB0", "Moskva"},  // Москва
      {"\xC7\x98", "\xFC"},                                       // ǘ keeps its diaeresis
      {"Sa\xCC\x81o", "Sao"},                                      // a lone combining accent is dropped
      {"Ho Chi Minh \xE1\xBB\x93", "Ho Chi Minh \xF4"},             // ồ keeps one accent: ô
      // Characters without a plain spelling: one '?' each.
      {"\xE6\x9D\xB1\xE4\xBA\xAC", "??"},                              // 東京
      {"x\xF0\x9F\x93\xA1y", "x?y"},                                   // antenna emoji
      {"\xC2\x80", "?"},  // U+0080: its byte is the euro sign's
      // Malformed UTF-8: one '?' per bad byte, the rest intact.
      {"a\xC3", "a?"},
      {"\x80x", "?x"},
      {"\xC0\xAF", "??"},          // overlong '/'
      {"\xED\xA0\x80z", "???z"},   // surrogate
      {"\xF8\x88\x80\x80\x80", "?????"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.utf8);
    EXPECT_EQ(utf8ToCp1252(c.utf8), c.bytes);
  }
  EXPECT_EQ(utf8ToCp1252(std::string("a\0b", 3)), std::string("a\0b", 3));
}

// What a stored name shows is exactly what the file will hold, for every
// character of the alphabets a place name may use.
TEST(Codepage, StoredFormIsWhatTheFileHolds) {
  for (char32_t c = 0x20; c < 0x3000; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    std::string utf8;
    if (c < 0x80) {
      utf8 += static_cast<char>(c);
    } else if (c < 0x800) {
      utf8 += static_cast<char>(0xC0 | (c >> 6));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      utf8 += static_cast<char>(0xE0 | (c >> 12));
      utf8 += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      utf8 += static_cast<char>(0x80 | (c & 0x3F));
    }
    SCOPED_TRACE(static_cast<unsigned>(c));
    const std::string saved = codepageOnly(utf8);
    EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(utf8)), saved);
    EXPECT_EQ(codepageOnly(saved), saved);
  }
  EXPECT_EQ(codepageOnly("\xC5\x81\xC3\xB3" "d\xC5\xBA"), "L\xC3\xB3" "dz");  // Łódź -> Lódz
}

TEST(Codepage, RecognisesWellFormedUtf8) {
  EXPECT_TRUE(isUtf8(""));
  EXPECT_TRUE(isUtf8("plain"));
  EXPECT_TRUE(isUtf8("M\xC3\xBCnchen \xE2\x82\xAC \xF0\x9F\x93\xA1"));
  EXPECT_FALSE(isUtf8("M\xFCnchen"));
  EXPECT_FALSE(isUtf8("\xC3"));
  EXPECT_FALSE(isUtf8("\xE0\x80\x80"));
  EXPECT_FALSE(isUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
}

// Every byte that starts a UTF-8 sequence at both ends of its range and
// the bytes just outside; a text that is not UTF-8 is read as Windows-1252.
TEST(Codepage, Utf8SequencesAtTheEndsOfTheirRanges) {
  struct Case {
    const char* name;
    std::string text;
    bool utf8;
  } cases[] = {
      {"0x7F", "\x7F", true},
      {"a lone 0x80 (the euro sign of the code page)", "\x80", false},
      {"C0: overlong", "\xC0\x80", false},
      {"C1: overlong", "\xC1\xBF", false},
      {"C2: U+0080", "\xC2\x80", true},
      {"DF: U+07C0", "\xDF\x80", true},
      {"DF: U+07FF", "\xDF\xBF", true},
      {"E0: U+0800", "\xE0\xA0\x80", true},
      {"E0: overlong U+07FF", "\xE0\x9F\xBF", false},
      {"ED: U+D7FF", "\xED\x9F\xBF", true},
      {"ED: U+D800", "\xED\xA0\x80", false},
      {"ED: U+DFFF", "\xED\xBF\xBF", false},
      {"EE: U+E000", "\xEE\x80\x80", true},
      {"EF: U+FFFF", "\xEF\xBF\xBF", true},
      {"F0: U+10000", "\xF0\x90\x80\x80", true},
      {"F0: overlong U+FFFF", "\xF0\x8F\xBF\xBF", false},
      {"F4: U+10FFFF", "\xF4\x8F\xBF\xBF", true},
      {"F4: U+110000", "\xF4\x90\x80\x80", false},
      {"F5", "\xF5\x80\x80\x80", false},
      {"FF", "\xFF", false},
      {"DF cut short", "\xDF", false},
      {"EF cut short", "\xEF\xBF", false},
      {"F4 cut short", "\xF4\x8F\xBF", false},
      {"DF with no continuation byte", "\xDF" "A", false},
      // Bytes that start no sequence, though three continuation bytes follow.
      {"0x80 before three continuation bytes", "\x80\x90\x80\x80", false},
      {"C0 before three continuation bytes", "\xC0\x90\x80\x80", false},
      {"F9 before three continuation bytes", "\xF9\x80\x80\x80", false},
  };
  for (const Case& f : cases) {
    SCOPED_TRACE(f.name);
    EXPECT_EQ(isUtf8(f.text), f.utf8);
    EXPECT_EQ(isUtf8("ok " + f.text + " ok"), f.utf8);
  }
  // A sequence cut short by the end of the text, though the bytes after it
  // would complete it.
  const std::string whole = "a\xDF\x80\xF0\x90\x80\x80";
  EXPECT_FALSE(isUtf8(std::string_view(whole).substr(0, 2)));
  EXPECT_TRUE(isUtf8(std::string_view(whole).substr(0, 3)));
  EXPECT_FALSE(isUtf8(std::string_view(whole).substr(0, 6)));
  EXPECT_EQ(codepageOnly(std::string_view(whole).substr(0, 6)), "a????");  // U+07C0 and three bytes
  // A character of the last two-byte lead the code page cannot hold.
  EXPECT_EQ(utf8ToCp1252("a\xDF\x80"), "a?");
  EXPECT_EQ(codepageOnly("a\xDF\x80"), "a?");
}
