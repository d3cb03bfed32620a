// One decode of a digital-mode receiver: a station heard, with when, where
// on the dial, in which mode and how strong. Decodes come from the
// receiver's log file (logline.h, logreader.h) and from its UDP messages
// (datagram.h, listener.h) and go into one store (store.h).
//
// Layers: this folder builds on state (bands, locators, clock), files
// (program folder, file checks), lang (texts) and display (great-circle
// geometry, the map's projection); nothing below includes it.
#pragma once

#include <cstdint>
#include <string>

namespace welvaro {

/// Where a decode came from.
enum class DecodeSource : std::uint8_t { Log = 1, Udp = 2 };

/// How the grid of a decode was found.
enum class GridSource : std::uint8_t {
  None = 0,     ///< no grid known for the call
  Message = 1,  ///< the message carried it
  Earlier = 2,  ///< the message carried none: the last grid the call sent before
};

/// A decode as the readers give it, before it is stored.
struct Decode {
  std::int64_t utcMs = 0;   ///< UTC time of the receive period [ms since 1970-01-01]
  bool minuteOnly = false;  ///< the log line gave the time to the minute only
  std::int64_t dialHz = 0;  ///< the radio's dial frequency [Hz]
  int band = -1;            ///< index into kHfBands (state/bands.h); -1 outside the ten bands
  std::string mode;         ///< "FT8", "FT4", "WSPR", ...
  int snr = 0;              ///< signal-to-noise ratio [dB in 2500 Hz]
  int audioHz = 0;          ///< audio offset from the dial [Hz]
  std::string message;      ///< the message as decoded
  std::string call;         ///< the sending station's call, without angle brackets; empty when the
                            ///< message names none (free text, a call the receiver could not resolve)
  std::string grid;         ///< its 4- or 6-character locator from the message, upper case; empty when none
  DecodeSource source = DecodeSource::Log;
  double rxLat = 0, rxLon = 0;  ///< the receiver's position [deg]
};

/// The length of a mode's receive period [ms]: FT8 and MSK144 15 s, FT4
/// 7.5 s, WSPR 2 min, JT65, JT9, JT4, Q65 and FST4 1 min; another mode 15 s.
std::int64_t periodMs(std::string_view mode);

/// The mode of the one-character code a receiver gives in its UDP decode
/// messages ("~" FT8, "+" FT4, "#" JT65, "@" JT9, "$" JT4, ":" Q65, "&"
/// MSK144, "`" FST4); empty for another code.
std::string_view modeOfCode(std::string_view code);

}  // namespace welvaro
