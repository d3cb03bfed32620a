#include "state/calendar.h"

#include <cmath>

namespace welvaro {

void setzeSommerzeit(State& s, const DateTime& jetzt) {
  s.SoZeitBeginn = letzterSonntag(jetzt.year, 3);
  s.SoZeitEnde = letzterSonntag(jetzt.year, 10);
  s.SoZeitFlag = inSommerzeit(s, jetzt) ? 1 : 0;
}

bool inSommerzeit(const State& s, const DateTime& t) {
  return !before(t, s.SoZeitBeginn) && before(t, s.SoZeitEnde);
}

void setzeJahreswerte(State& s, const DateTime& heute) {
  // Days from 1 January to 31 December, plus one.
  s.Jahrestage =
      static_cast<float>(daysFromCivil(heute.year, 12, 31) - daysFromCivil(heute.year, 1, 1) + 1);
  s.DeklTag = static_cast<int16>(dayOfYear(heute) + 11);
  // The constant 6.283185307178 is the truncated 2 pi the model uses.
  const double winkel = 6.283185307178 * s.DeklTag / static_cast<double>(s.Jahrestage);
  s.Dekl = static_cast<float>(-0.39954 * std::cos(winkel));
}

}  // namespace welvaro
