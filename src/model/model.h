// The propagation model. Every routine takes the program state, exchanges
// its values through it and returns 0 or the code of the fault that ended it
// (see state/fault.h); values already written stay.
#pragma once

#include "state/state.h"

namespace welvaro {

// Hourly field strength of the path A (X1, Y1) -> B (X2, Y2) for month Monat,
// written into ErgFeld slice ErgSchicht.
int prgCalculation(State& s);

// Path geometry: central angle, length, bearings, hop counts, control points
// and the azimuth-weighted correction constants. First stage of the driver.
int prcGeometrie(State& s);
// Bearings between the points BearBreite1/BearLaenge1 and BearBreite2/BearLaenge2
// (radians, central angle BearWinkel) into Richtung[1] and Richtung[2].
int prcBear(State& s);
// foF2, M(3000)F2, MUF(4000) and gyro-frequency of control point Kp at hour Stunde.
int prcMuf(State& s);
// The byte of the packed word Packwert for the hemisphere Halbkugel.
int prcDecod(State& s);
// Corrected MUF curve MufKorr of control point Kp.
int prcKormu(State& s);
// Lowers Feldstaerke above the path MUF on paths up to 4000 km.
int prcFcor(State& s);
// Shifts Feldstaerke to the upper or lower decile for Iproz = 10 or 90.
int prcDecil(State& s);
// E-layer MUF and lowest usable frequency per hour, with the evening smoothing.
int prcMufELuf(State& s);

// With AvailabilityRun = 1 the driver calls this for every hour and
// frequency between prcFcor and prcDecil: Feldstaerke shifted to each of
// the availabilities 10, 50 and 90 % and kept, rounded as ErgFeld, in
// AvailabilityResults[0..2][ErgSchicht]. Feldstaerke and Iproz are left as
// they were. A value that cannot be formed does not end the calculation:
// its fault is kept in AvailabilityFault (when that is still 0).
void keepAvailabilities(State& s);

// Within the model: turns a nonzero routine result back into a fault.
inline void check(int rc) {
  if (rc != 0) raise(rc);
}

}  // namespace welvaro
