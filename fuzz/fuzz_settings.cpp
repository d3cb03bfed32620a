// The settings file "Welvaro.dat" from arbitrary bytes: the reader must
// either take all 22 settings or change nothing, and whatever it took must
// be written back as a file it reads again with the same texts.
#include <cstdint>
#include <string>

#include "files/codepage.h"
#include "files/settings.h"
#include "fuzz_check.h"
#include "state/calendar.h"

using namespace welvaro;

namespace {

// A text value as it comes back from the file: a double quote cannot stand
// inside a quoted item and is written as an apostrophe; characters outside
// Windows-1252 become '?'.
std::string asWritten(std::string t) {
  for (char& c : t)
    if (c == '"') c = '\'';
  return cp1252ToUtf8(utf8ToCp1252(t));
}

// Puts back the start values of everything the reader may set, from a
// record kept untouched (a fresh State per input would cost most of the
// run time: the record holds the whole world table).
FUZZ_UNTRACED void reset(State& s, const State& d, int16 summer) {
  s.OrtA = d.OrtA;
  s.X1 = d.X1;
  s.Y1 = d.Y1;
  s.StationALatitude = d.StationALatitude;
  s.StationALongitude = d.StationALongitude;
  s.OrtB = d.OrtB;
  s.OrtX2 = d.OrtX2;
  s.OrtY2 = d.OrtY2;
  s.Zkwa = d.Zkwa;
  s.Zkw = d.Zkw;
  s.Sag = d.Sag;
  s.Eag = d.Eag;
  s.Iproz = d.Iproz;
  s.P = d.P;
  s.Angm = d.Angm;
  s.Ssn = d.Ssn;
  s.Ssna = d.Ssna;
  s.UTCKorr = d.UTCKorr;
  s.AktFrequenz = d.AktFrequenz;
  s.Speicher1 = d.Speicher1;
  s.Speicher2 = d.Speicher2;
  s.Speicher3 = d.Speicher3;
  s.Speicher4 = d.Speicher4;
  s.Speicher5 = d.Speicher5;
  s.Speicher6 = d.Speicher6;
  s.L = d.L;
  s.DatZeile = d.DatZeile;
  s.SoZeitFlag = summer;
}

// Whether the reader left every setting at its start value.
FUZZ_UNTRACED bool unchanged(const State& s, const State& d) {
  return s.OrtA == d.OrtA && s.X1 == d.X1 && s.Y1 == d.Y1 && s.OrtB == d.OrtB && s.OrtX2 == d.OrtX2 &&
         s.OrtY2 == d.OrtY2 && s.Zkwa == d.Zkwa && s.Zkw == d.Zkw && s.Sag == d.Sag && s.Eag == d.Eag &&
         s.Iproz == d.Iproz && s.P == d.P && s.Angm == d.Angm && s.Ssn == d.Ssn && s.Ssna == d.Ssna &&
         s.UTCKorr == d.UTCKorr && s.AktFrequenz == d.AktFrequenz && s.Speicher1 == d.Speicher1 &&
         s.Speicher2 == d.Speicher2 && s.Speicher3 == d.Speicher3 && s.Speicher4 == d.Speicher4 &&
         s.Speicher5 == d.Speicher5 && s.Speicher6 == d.Speicher6 && s.L == d.L && s.DatZeile.v == d.DatZeile.v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view content(reinterpret_cast<const char*>(data), size);
  // The start-up summer-time flag comes from the file's length, so both
  // values are tried without a byte of the content being spent on it.
  const int16 summer = static_cast<int16>(size & 1);

  static const State* const start = new State;
  static State* const s = new State;
  static State* const t = new State;
  reset(*s, *start, summer);
  if (!readSettingsText(*s, content)) {
    FUZZ_CHECK(unchanged(*s, *start));  // unusable content changes nothing
    return 0;
  }
  FUZZ_CHECK(s->L >= 0 && s->L <= 5);
  for (const std::string* text : {&s->OrtA, &s->OrtB, &s->Zkwa, &s->P, &s->Ssn}) FUZZ_CHECK(isUtf8(*text));

  // Written outside the summer-time window, read back with the same flag.
  const DateTime winter{2024, 1, 15, 12, 0, 0};
  s->SoZeitBeginn = DateTime{2024, 3, 31, 0, 0, 0};
  s->SoZeitEnde = DateTime{2024, 10, 27, 0, 0, 0};
  const std::string file = settingsText(*s, winter);
  reset(*t, *start, summer);
  FUZZ_CHECK(readSettingsText(*t, file));
  FUZZ_CHECK(t->OrtA == asWritten(s->OrtA));
  FUZZ_CHECK(t->OrtB == asWritten(s->OrtB));
  FUZZ_CHECK(t->Zkwa == asWritten(s->Zkwa));
  FUZZ_CHECK(t->P == asWritten(s->P));
  FUZZ_CHECK(t->Ssn == asWritten(s->Ssn));
  FUZZ_CHECK(t->L == s->L);
  return 0;
}
