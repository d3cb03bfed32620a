// The steps of the decile shift (prcDecil), shared with the run that keeps
// all three availabilities at once (keepAvailabilities): the column of the
// decile table for the current hour and frequency, and the deviation of a
// row there.
#pragma once

#include "model/tables.h"
#include "state/arith.h"
#include "state/state.h"

namespace welvaro {

/// Column i (1..25) of the decile table and the weight t towards column
/// i + 1 for the ratio of the current frequency (FrqIndex) to the path MUF
/// of the current hour (Stunde), the ratio held to 0.1..5. Raises the
/// model's fault for a path MUF of 0.
struct DecileColumn {
  int i;
  double t;
};
inline DecileColumn decileColumn(const State& s) {
  double r = cdiv(s.FrqListe[s.FrqIndex], s.MufF2[s.Stunde][1.0]);
  if (r > 5) r = 5;
  if (r < 0.1) r = 0.1;
  const double x = r <= 2 ? 10 * r : (r - 2) * 2 + 20;
  double column = Fix(x);
  if (column > 25) column = 25;
  const int i = tab::index(column, 1, 26), j = i + 1;
  return {i, (10 * r - tab::DezAbszisse(i)) / (tab::DezAbszisse(j) - tab::DezAbszisse(i))};
}

/// The deviation [dB] of row `row` (1: 10 %, added; 2: 90 %, subtracted)
/// at column c.
inline double decileDeviation(int row, DecileColumn c) {
  const double sign = row == 1 ? 1 : -1;
  const int i = c.i, j = i + 1;
  return ((tab::DezTab(row, j) - tab::DezTab(row, i)) * c.t + tab::DezTab(row, i)) * sign;
}

}  // namespace welvaro
