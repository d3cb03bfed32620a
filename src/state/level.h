// Receive level from field strength, the one conversion every display, the
// world table and the printed report use:
//   level [dBm] = field strength [dB(uV/m)] + 45 - 20 x log10(frequency [Hz]),
// the decimal logarithm formed as the model forms it, ln / 2.3025851 (ln 10
// truncated on purpose), of the frequency taken 0.1 Hz up.
#pragma once

#include "state/fault.h"

namespace welvaro {

/// ln 10 as the system takes it, truncated on purpose.
inline constexpr double kLn10Level = 2.3025851;

/// Level [dBm] of field strength `field` [dB(uV/m)] at `mhz` MHz. Raises the
/// invalid-call fault for a frequency that is not positive.
inline double levelFromField(double field, double mhz) {
  return 45 - 20 * (cln(mhz * 1e6 + 0.1) / kLn10Level) + field;
}

}  // namespace welvaro
