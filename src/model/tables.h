// Coefficient tables of the propagation model: constant data, bounds-checked
// on every read (an index outside a table raises the subscript fault).
#pragma once

namespace welvaro::tab {

// Packed foF2 word, band b 1..4, activity a 1..2, season s 1..4, local hour 1..24.
double FoTab(double b, double a, double s, double hour);
// Packed foF2 word at the geomagnetic pole, activity a 1..2, season s 1..4.
double FoPolTab(double a, double s);
// Packed monthly factor [%], activity a 1..2, band c 1..10, month 1..12.
double FaktTab(double a, double c, double month);
// M(3000)F2 x 100, band i 1..2, activity a 1..2, local hour 1..24.
double MTab(double i, double a, double hour);
// Noon correction of M(3000)F2 x 100, row 1..2 (June, December), band d 1..10.
double MKorr(double row, double d);
// Solar declination of mid-month [0.1 deg], month 0..12 (0 unused).
double DeklTab(double month);
// Above-MUF correction: abscissa (frequency / MUF) and value [dB], entries 1..4.
double FcorAbszisse(double j);
double FcorWert(double j);
// Decile table: abscissa (ratio x 10), columns 1..26; deviations [dB], row 1..2.
double DezAbszisse(double i);
double DezTab(double row, double i);

}  // namespace welvaro::tab
