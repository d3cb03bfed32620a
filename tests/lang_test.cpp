// The language table: shape, texts in the four languages, the German
// variants in slots 2 and 5, and the lookup by the current language.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "files/codepage.h"
#include "lang/sprachtext.h"
#include "state/fault.h"

using namespace welvaro;

namespace {

// T(key) looked up the way every caller does it: through the record's L.
class LanguageTable : public testing::Test {
 protected:
  std::string text(int key, int slot) {
    s->L = static_cast<int16>(slot);
    return T(*s, key);
  }
  std::unique_ptr<State> s = std::make_unique<State>();
};

}  // namespace

TEST_F(LanguageTable, EntrySixTimesKeyPlusSlot) {
  // Entry 96 + L is key 16 ("Welt-Welvaro" in German).
  EXPECT_EQ(textEntry(96), "Welt-Welvaro");
  EXPECT_EQ(textEntry(97), "Worldwide forecast");
  EXPECT_EQ(textEntry(335), "Position");  // key 55, slot 5
  EXPECT_EQ(textEntry(0), "Beschriftung (deutsch)");
  // Empty are only the language-menu captions of slots that have none (in
  // key 0, its companion key and the languages' own names), and the English
  // word after a time.
  int blank = 0;
  for (int e = 0; e < kTextEntries; ++e)
    if (SprachText[static_cast<std::size_t>(e)].empty()) {
      SCOPED_TRACE(e);
      const int key = e / 6;
      EXPECT_TRUE(key == kTxSpracheMenu || key == kTxSpracheMenuZusatz || key == kTxLanguageName ||
                  e == 6 * kTxUhr + 1);
      ++blank;
    }
  EXPECT_EQ(blank, 11);
}

// The language menu offers German, English, Spanish and French, each by its
// own name: every slot but the two German variants.
TEST_F(LanguageTable, MenuOffersTheFourLanguagesByTheirOwnNames) {
  EXPECT_EQ(languageMenuText(0), "Deutsch");
  EXPECT_EQ(languageMenuText(1), "English");
  EXPECT_EQ(languageMenuText(2), "");
  EXPECT_EQ(languageMenuText(3), "Espa\xC3\xB1ol");
  EXPECT_EQ(languageMenuText(4), "Fran\xC3\xA7" "ais");
  EXPECT_EQ(languageMenuText(5), "");
}

TEST_F(LanguageTable, SpotChecksInAllFourLanguages) {
  // Non-ASCII letters are spelled as UTF-8 bytes so that a wrongly encoded
  // table source cannot agree with an equally wrong test source.
  struct Case {
    int key, slot;
    const char* text;
  } cases[] = {
      {0, 0, "Beschriftung (deutsch)"},
      {0, 1, "Labels in English"},
      {3, 0, "M\xC3\xA4rz"},
      {12, 3, "diciembre"},
      {12, 4, "d\xC3\xA9" "cembre"},
      {13, 0, "f\xC3\xBCr"},
      {15, 3, "Estaci\xC3\xB3n"},
      {16, 0, "Welt-Welvaro"},
      {16, 1, "Worldwide forecast"},
      {16, 3, "Pron\xC3\xB3stico mundial"},
      {17, 0, "Welvarozeit-\xC3\x84nderung Ein"},
      {18, 4, "Masquer la liste des mois de pr\xC3\xA9vision"},
      {23, 0, "Die Frequenzeingabe mu\xC3\x9F mit\r\nRETURN abgeschlossen werden"},
      {23, 1, "Confirm the frequency\r\nwith the Return key"},
      {23, 4, "Validez la fr\xC3\xA9quence\r\navec la touche Entr\xC3\xA9" "e"},
      {26, 0, "Feldst\xC3\xA4rke"},
      {28, 0, "D&arstellung"},
      {28, 1, "&View"},
      {28, 3, "&Ver"},
      {31, 4, "&Param\xC3\xA8tres"},
      {34, 1, "Probability"},
      {38, 4, "Gain d'antenne"},
      {39, 3, "\xC3\x81ngulo de elevaci\xC3\xB3n"},
      {49, 4, "Liaison radio\xC2\xA0:"},
      {46, 0, "N\xC3\xA4" "chste Stadt"},
      {50, 0, "PROGRAMM-ENDE"},
      {50, 1, "Quit Welvaro?"},
      {50, 3, "\xC2\xBFSalir de Welvaro?"},
      {52, 0, "Auswertung: "},
      {52, 3, "Valores: "},
      {55, 3, "Posici\xC3\xB3n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "key " << c.key << " slot " << c.slot);
    EXPECT_EQ(text(c.key, c.slot), c.text);
  }
}

TEST_F(LanguageTable, SlotsTwoAndFiveAreGermanWithTheirTwoDifferences) {
  for (int key = 0; key < kTextKeys; ++key) {
    SCOPED_TRACE(key);
    const std::string de = text(key, 0);
    if (key == kTxSpracheMenu || key == kTxSpracheMenuZusatz || key == kTxLanguageName) {
      EXPECT_EQ(text(key, 2), "");
      EXPECT_EQ(text(key, 5), "");
    } else if (key == 28) {
      EXPECT_EQ(text(key, 2), "&Darstellung");
      EXPECT_EQ(text(key, 5), "D&arstellung");
    } else {
      EXPECT_EQ(text(key, 2), de);
      EXPECT_EQ(text(key, 5), de);
    }
  }
}

TEST_F(LanguageTable, OnlyTheFrequencyWarningBreaksItsLineAndAlwaysWithCrLf) {
  for (int e = 0; e < kTextEntries; ++e) {
    SCOPED_TRACE(e);
    const std::string_view t = SprachText[static_cast<std::size_t>(e)];
    const bool key23 = e / 6 == 23;
    const auto cr = t.find('\r');
    EXPECT_EQ(cr != std::string_view::npos, key23);
    if (key23) {
      EXPECT_EQ(t.substr(cr, 2), "\r\n");
      EXPECT_EQ(t.find_first_of("\r\n", cr + 2), std::string_view::npos);
    } else {
      EXPECT_EQ(t.find('\n'), std::string_view::npos);
    }
    // Every text must reach files and the printer intact.
    EXPECT_TRUE(isUtf8(t));
    EXPECT_EQ(cp1252ToUtf8(utf8ToCp1252(t)), t);
  }
}

TEST_F(LanguageTable, KeyOrLanguageOutOfRangeIsASubscriptFault) {
  struct Case {
    int l, key;
  } cases[] = {{6, 0}, {-1, 1}, {0, kTextKeys}, {0, -1}, {5, kTextKeys}};
  for (auto c : cases) {
    SCOPED_TRACE(testing::Message() << "L " << c.l << " key " << c.key);
    s->L = static_cast<int16>(c.l);
    try {
      (void)T(*s, c.key);
      ADD_FAILURE() << "no fault";
    } catch (const ModelFault& f) {
      EXPECT_EQ(f.code, kFaultSubscript);
    }
  }
  EXPECT_THROW((void)textEntry(kTextEntries), ModelFault);
  EXPECT_THROW((void)textEntry(-1), ModelFault);
}

TEST(MonthNames, FollowTheLanguageAndLeaveEntryZero) {
  auto s = std::make_unique<State>();
  s->MonatsName[0] = "unbenutzt";
  struct Case {
    int l, month;
    const char* name;
  } cases[] = {
      {0, 1, "Januar"}, {0, 3, "M\xC3\xA4rz"}, {0, 12, "Dezember"}, {1, 5, "May"},
      {1, 12, "December"}, {2, 10, "Oktober"}, {3, 12, "diciembre"}, {3, 8, "agosto"},
      {4, 12, "d\xC3\xA9" "cembre"}, {4, 7, "juillet"}, {4, 8, "ao\xC3\xBBt"}, {5, 6, "Juni"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(testing::Message() << "L " << c.l << " month " << c.month);
    s->L = static_cast<int16>(c.l);
    fillMonthNames(*s);
    EXPECT_EQ(s->MonatsName[c.month], c.name);
    EXPECT_EQ(s->MonatsName[0], "unbenutzt");
  }
}
