#pragma once

#include "state/state.h"

namespace welvaro {

// Day-corrected forecast of the link A -> B (X2, Y2) into ErgFeld slice 0:
// the month Monat, blended with its neighbour month when Monat is the
// current month, by how far today (Jetzt) lies from the 15th. Returns 0 or
// the model's fault code; Monat is restored in every case.
int prgTageskorr(State& s);

}  // namespace welvaro
