// The three availabilities of one hour and frequency in one run of the
// driver: everything up to the decile shift does not depend on Iproz, so
// the 10, 50 and 90 % values come from the same field strength, each shifted
// and rounded exactly as a run with that Iproz shifts and rounds it.
#include "model/decile.h"
#include "model/model.h"
#include "state/arith.h"

namespace welvaro {

void keepAvailabilities(State& s) {
  const int fault = guarded([&] {
    // 10 and 90 % share the column of the decile table; 50 % is not shifted.
    const double field = s.Feldstaerke;
    const DecileColumn c = decileColumn(s);
    const double up = field + decileDeviation(1, c), down = field + decileDeviation(2, c);
    // The cell of the current slice, hour and frequency index, checked once.
    using Results = decltype(s.AvailabilityResults);
    const long slice = s.ErgSchicht, h = Results::toIndex(s.Stunde), k = Results::toIndex(s.FrqIndex);
    if (slice < 0 || slice > 2 || h < 0 || h > 24 || k < 0 || k > 32) raise(kFaultSubscript);
    const auto cell = [&](int a) -> double& {
      return s.AvailabilityResults.v[static_cast<std::size_t>(a)]
          .v[static_cast<std::size_t>(slice)]
          .v[static_cast<std::size_t>(h)]
          .v[static_cast<std::size_t>(k)];
    };
    cell(0) = Int(fin(up) + 0.5);
    cell(1) = Int(fin(field) + 0.5);
    cell(2) = Int(fin(down) + 0.5);
  });
  if (fault != 0 && s.AvailabilityFault == 0) s.AvailabilityFault = static_cast<int16>(fault);
}

}  // namespace welvaro
