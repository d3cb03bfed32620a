#include "state/calendar.h"

#include <cmath>

namespace welvaro {

void setSummerTime(State& s, const DateTime& now) {
  s.SoZeitBeginn = lastSunday(now.year, 3);
  s.SoZeitEnde = lastSunday(now.year, 10);
  s.SoZeitFlag = inSummerTime(s, now) ? 1 : 0;
}

bool inSummerTime(const State& s, const DateTime& t) {
  return !before(t, s.SoZeitBeginn) && before(t, s.SoZeitEnde);
}

void setYearValues(State& s, const DateTime& today) {
  // Days from 1 January to 31 December, plus one.
  s.Jahrestage =
      static_cast<float>(daysFromCivil(today.year, 12, 31) - daysFromCivil(today.year, 1, 1) + 1);
  s.DeklTag = static_cast<int16>(dayOfYear(today) + 11);
  // The constant 6.283185307178 is the truncated 2 pi the model uses.
  const double angle = 6.283185307178 * s.DeklTag / static_cast<double>(s.Jahrestage);
  s.Dekl = static_cast<float>(-0.39954 * std::cos(angle));
}

}  // namespace welvaro
