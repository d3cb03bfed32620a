// The UDP messages of a digital-mode receiver, read without Qt: each
// datagram is a big-endian Qt data stream
//
//   quint32 magic 0xadbccbda, quint32 schema (2 or 3), quint32 type, utf8 Id,
//   then the fields of the type;
//
// utf8 being a quint32 length and that many bytes (0xffffffff: a null
// text), bool one byte, QTime a quint32 of milliseconds since midnight UTC,
// double 8 bytes IEEE. Types used: 0 Heartbeat, 1 Status, 2 Decode, 10
// WSPRDecode; every other type is passed over. Fields added at the end by
// later versions are ignored.
//
// Nothing is read beyond the datagram: a wrong magic, an unknown schema, a
// field cut off, a text whose declared length exceeds what is left (a
// 4 GB length included) make the datagram malformed as a whole.
#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "decodes/decode.h"
#include "state/datetime.h"

namespace welvaro {

inline constexpr std::uint32_t kDatagramMagic = 0xadbccbdau;

/// One datagram read.
struct Datagram {
  enum class Kind {
    Malformed,   ///< wrong magic, unknown schema, cut off or a length beyond the datagram
    Other,       ///< a well-formed header of a type not used here
    Heartbeat,
    Status,
    Decode,
    WsprDecode,
  };
  Kind kind = Kind::Malformed;
  std::uint32_t schema = 0;
  std::uint32_t type = 0;
  std::string id;  ///< the sending program's name or configuration

  // Heartbeat
  std::uint32_t maxSchema = 0;
  std::string version;

  // Status
  std::uint64_t dialHz = 0;
  std::string mode;     ///< Status: the mode ("FT8"); Decode: its one-character code
  std::string deCall;   ///< the receiver's own call (empty in versions without it)
  std::string deGrid;   ///< and grid
  bool transmitting = false;
  bool decoding = false;

  // Decode and WSPRDecode
  bool isNew = true;            ///< false: a replay of an older decode
  std::uint32_t timeMs = 0;     ///< time of the period [ms since midnight UTC]
  std::int32_t snr = 0;
  double dt = 0;
  std::uint32_t deltaHz = 0;    ///< Decode: audio offset [Hz]
  std::string message;          ///< Decode: the message
  bool lowConfidence = false;
  bool offAir = false;          ///< true: decoded from a played-back recording
  std::uint64_t frequencyHz = 0;  ///< WSPRDecode: the signal's frequency [Hz]
  std::int32_t drift = 0;
  std::string call;             ///< WSPRDecode
  std::string grid;             ///< WSPRDecode
  std::int32_t powerDbm = 0;    ///< WSPRDecode
};

/// Reads one datagram of `size` bytes. Never reads outside [data, data + size).
Datagram parseDatagram(const std::uint8_t* data, std::size_t size);
inline Datagram parseDatagram(std::string_view bytes) {
  return parseDatagram(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

/// What a receiver said last about itself (its latest Status).
struct ReceiverStatus {
  std::string id;
  std::uint64_t dialHz = 0;
  std::string mode;
  std::string deCall, deGrid;
  bool transmitting = false;
  bool decoding = false;
  std::int64_t utcMs = 0;  ///< when the Status arrived (by the clock) [ms since 1970]
};

/// Counts of what arrived.
struct DatagramCounts {
  std::uint64_t datagrams = 0;  ///< every datagram received
  std::uint64_t heartbeats = 0;
  std::uint64_t statuses = 0;
  std::uint64_t decodes = 0;    ///< Decode and WSPRDecode messages taken as live decodes
  std::uint64_t ignored = 0;    ///< everything else: malformed, unused types, replays, played-back
                                ///< recordings, decodes before any Status of their sender or outside
                                ///< the ten bands
  std::uint64_t malformed = 0;  ///< of the ignored: malformed datagrams
  std::uint64_t dropped = 0;    ///< decodes lost because the hand-over queue was full (listener.h)
};

/// Turns datagrams into decodes. A Decode message carries neither dial
/// frequency nor date: the dial frequency is that of the latest Status of
/// the same Id, the date is the UTC date of `clock` that puts the decode's
/// time of day nearest to now (a decode of 23:59:45 arriving at 00:00:02 is
/// of the day before). Decodes with `new` false (replays) and with `off
/// air` true (played-back recordings) are not live and are not taken.
/// At most 64 senders are remembered; the one heard from longest ago makes
/// room for a new one.
class DatagramDecoder {
 public:
  DatagramDecoder(const Clock& clock, double rxLat, double rxLon);

  /// Reads a datagram; fills `out` and returns true when it gives a live decode.
  bool take(const std::uint8_t* data, std::size_t size, Decode& out);

  const DatagramCounts& counts() const { return counts_; }
  /// The latest Status of any sender; none before the first.
  const std::optional<ReceiverStatus>& lastStatus() const { return last_; }
  /// When the last datagram of any kind came [ms since 1970], 0 before any.
  std::int64_t lastHeardMs() const { return lastHeardMs_; }

 private:
  std::int64_t nowMs() const;
  const Clock& clock_;
  double rxLat_, rxLon_;
  DatagramCounts counts_;
  std::map<std::string, ReceiverStatus> status_;
  std::optional<ReceiverStatus> last_;
  std::int64_t lastHeardMs_ = 0;
};

/// The UTC time [ms since 1970] of a time of day `timeMs` nearest to `nowMs`.
std::int64_t nearestDayTime(std::int64_t nowMs, std::uint32_t timeMs);

}  // namespace welvaro
