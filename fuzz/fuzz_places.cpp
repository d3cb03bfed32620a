// The place list "Ortsvorg.txt" from arbitrary bytes, through the reader
// and the spatial index the nearest-place read-out walks.
//
// An input that begins with '*' stands for the rest (its first 64 bytes)
// repeated 2100 times, so that lists beyond kPlacesMax places are tried
// without huge inputs.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <string>

#include "files/codepage.h"
#include "files/datafiles.h"
#include "files/places.h"
#include "fuzz_check.h"

using namespace welvaro;
using namespace welvaro::fuzz;

namespace {

bool digitsOnly(std::string_view t) {
  for (char c : t)
    if (c < '0' || c > '9') return false;
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::string_view text(reinterpret_cast<const char*>(data), size);
  std::string lang;
  if (!text.empty() && text[0] == '*') {
    text = text.substr(1, 64);
    lang = tiled(text, text.size() * 2100);
    text = lang;
  }

  // Without quotes every item is cut at the separators and trimmed.
  if (text.find('"') == std::string_view::npos) {
    for (const std::string& item : placeItems(text)) {
      FUZZ_CHECK(item.find_first_of(",\r\n") == std::string::npos);
      if (item.empty()) continue;
      FUZZ_CHECK(item.front() != ' ' && item.front() != '\t' && item.back() != ' ' && item.back() != '\t');
    }
  }

  // One record for the whole run: the reader must clear whatever an earlier
  // list left above the places it reads, so reuse is part of what is checked.
  static State* s = new State;
  readPlacesText(*s, text);
  buildOrtRaster(*s);

  const int number = static_cast<int>(s->OrtZahl);
  FUZZ_CHECK(s->OrtZahl == number && number >= 0 && number <= kPlacesMax);
  for (int g = 1; g <= number; ++g) {
    FUZZ_CHECK(isUtf8(s->OrtKennung[g]) && isUtf8(s->OrtName[g]));
    FUZZ_CHECK(s->OrtKennung[g].find(':') == std::string::npos);
  }
  for (int g = number + 1; g <= kPlacesMax; ++g) FUZZ_CHECK(s->OrtKennung[g].empty() && s->OrtName[g].empty());

  // A list found sound holds no NUL byte, and every item that is not empty
  // is a place on the earth: all of them read (up to kPlacesMax).
  if (placeListDamage(text).empty()) {
    FUZZ_CHECK(text.find('\0') == std::string_view::npos);
    int items = 0;
    for (const std::string& item : placeItems(text)) items += item.empty() ? 0 : 1;
    FUZZ_CHECK(number == std::min(items, kPlacesMax));
    for (int g = 1; g <= number; ++g)
      FUZZ_CHECK(std::fabs(s->OrtLaenge[g]) <= 180 && std::fabs(s->OrtBreite[g]) <= 90);
  }

  // Every cell: four-digit place numbers in descending order, ended by "0000".
  for (int u = 0; u <= 35; ++u) {
    for (int m = 0; m <= 17; ++m) {
      const std::string& cell = s->OrtRaster[u][m];
      FUZZ_CHECK(cell.size() >= 4 && cell.size() % 4 == 0 && digitsOnly(cell));
      FUZZ_CHECK(cell.compare(cell.size() - 4, 4, "0000") == 0);
      int previous = kPlacesMax + 1;
      for (std::size_t p = 0; p + 4 < cell.size(); p += 4) {
        const int g = std::stoi(cell.substr(p, 4));
        FUZZ_CHECK(g >= 1 && g < previous && g <= number);
        previous = g;
      }
    }
  }
  return 0;
}
