// One line of the receiver's decode log (ALL.TXT):
//
//   261208_143015    14.074 Rx FT8    -12  0.3 1234 CQ DL1ABC JO62
//
// columns separated by runs of blanks: UTC date and time YYMMDD_HHMMSS (or
// YYMMDD_HHMM of older versions), dial frequency [MHz], Rx or Tx, mode,
// SNR [dB], time offset [s], audio offset [Hz], and the message as the rest
// of the line. A line may end in CR (written on Windows).
#pragma once

#include <string_view>

#include "decodes/decode.h"

namespace welvaro {

/// What became of a log line.
enum class LogLineKind {
  Decode,      ///< a decode with a sending call: `out` is filled
  Transmit,    ///< an own transmission (Tx), passed over
  NoStation,   ///< a decode whose message names no sending call (free text, a hashed call):
               ///< `out` is filled, its call and grid empty
  Unreadable,  ///< not a line of the log's form
};

/// Reads one line (without its LF; a CR at the end is taken off). `out` is
/// filled for LogLineKind::Decode and LogLineKind::NoStation (its source and
/// band are set, the band from the dial frequency, -1 outside the ten
/// bands; the receiver is left to the caller); otherwise its contents are
/// unspecified.
LogLineKind parseLogLine(std::string_view line, Decode& out);

/// The sending station of a message, and its grid when the message carries
/// one.
struct Sender {
  std::string_view call;  ///< without angle brackets; empty when the message names none
  std::string_view grid;  ///< 4 or 6 characters as written (any case); empty when none
};

/// The sender of a message: the call after CQ (and after a CQ modifier
/// such as DX, NA, POTA, TEST or a 3-digit number), else the second call of
/// "TO FROM ...", and for WSPR (`wspr` true) the first word ("CALL GRID
/// DBM"). A grid is a Maidenhead locator of 4 (or 6) characters following
/// the call, also after a lone "R"; RR73 is no grid. A compound call in
/// angle brackets (<PJ4/K1ABC>) is the call without them; "<...>" (a call
/// the receiver could not resolve) is none.
Sender senderOf(std::string_view message, bool wspr = false);

/// Whether a word is a Maidenhead grid of 4 or 6 characters (field letters
/// A..R, square digits, subsquare letters A..X; any case), not RR73.
bool isGrid(std::string_view word);

/// Whether a word looks like a call: 3..13 characters of letters, digits
/// and '/', at least one letter and one digit.
bool isCall(std::string_view word);

}  // namespace welvaro
