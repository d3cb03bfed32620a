// The one store of what was heard: an embedded SQLite database in the
// program's folder for written files ("WelvaroHeard.sqlite"), in
// write-ahead-log mode.
//
// Every batch of decodes goes in as one transaction, together with the
// positions the log reader reached in its files, so a program killed at
// any moment loses at most the batch being written, and the logs are read
// on from exactly where the stored decodes end. A store that SQLite finds
// damaged (at opening or in any later step) is set aside under the name
// "<file>.damaged-YYYYMMDD-HHMMSS" (its -wal and -shm files with it), a
// message for the user says so, and a new, empty store is started.
//
// A decode that arrives both from the log and over UDP is stored once: the
// store keeps one decode per receive period (its time rounded to the
// period of its mode: 15 s for FT8), band, mode, call, SNR, audio offset
// and message (WSPR: without the last two, which the two routes give
// differently). Decodes whose message names no sending call are stored too
// (they count as decodes, not as stations), with an empty call.
//
// Each decode is stored with the position of the sending station: the
// centre of the grid its message carried, else the grid that call sent
// last before (marked as such), else none; and with the distance [km] and
// bearing [deg] from the receiver's position along the great circle.
//
// One DecodeStore is one connection and is used by one thread at a time;
// several may be open on the same file (one writing, others reading).
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decodes/decode.h"
#include "state/message.h"

struct sqlite3;
struct sqlite3_stmt;

namespace welvaro {

inline constexpr std::string_view kHeardStoreFile = "WelvaroHeard.sqlite";

/// A decode as stored.
struct StoredDecode {
  std::int64_t utcMs = 0;
  int band = -1;
  std::string mode;
  int snr = 0;
  std::string call;
  std::string grid;                   ///< empty when none is known
  GridSource gridSource = GridSource::None;
  bool located = false;               ///< whether lat/lon/distance/bearing hold values
  double lat = 0, lon = 0;            ///< centre of the grid [deg]
  double distanceKm = 0;              ///< from the receiver
  double bearing = 0;                 ///< from the receiver [deg], 0..360
  double rxLat = 0, rxLon = 0;        ///< the receiver [deg]
  std::int64_t dialHz = 0;
  int audioHz = 0;
  std::string message;
  DecodeSource source = DecodeSource::Log;
};

/// How far a log file has been read: the file it was (device and inode),
/// the byte after the last whole line read, and a fingerprint of its first
/// bytes (so a file rewritten in place is noticed).
struct LogPosition {
  std::string path;
  std::uint64_t device = 0, inode = 0;
  std::uint64_t offset = 0;
  std::uint32_t headLength = 0;  ///< how many of the first bytes the fingerprint covers (at most 256)
  std::uint64_t headHash = 0;
};

/// What a batch did.
struct AddCounts {
  std::uint64_t added = 0;       ///< new decodes stored
  std::uint64_t duplicates = 0;  ///< decodes already in the store (the other route, a log read twice)
  std::uint64_t outsideBands = 0;  ///< decodes outside the ten bands, not stored
};

class DecodeStore {
 public:
  DecodeStore() = default;
  ~DecodeStore();
  DecodeStore(const DecodeStore&) = delete;
  DecodeStore& operator=(const DecodeStore&) = delete;

  /// Opens (or creates) the store `file`. A damaged store is set aside and
  /// a new one made; `setAside()` then holds the message for the user.
  /// Returns an empty text, or what went wrong (the store is then closed).
  std::string open(const std::filesystem::path& file);
  void close();
  bool isOpen() const { return db_ != nullptr; }
  const std::filesystem::path& file() const { return file_; }

  /// The message about a damaged store set aside (language key
  /// kTxHeardStoreSetAside, %1 the store, %2 the name it was given), at
  /// opening or at the step that met the damage; none otherwise. Taken once.
  std::optional<Message> takeSetAside();

  /// Stores a batch and the log positions reached, as one transaction.
  /// Returns false (nothing stored) when the store refused; `error()` says
  /// why. Decodes of the batch are looked at in their order: a grid sent
  /// earlier in the same batch counts.
  bool add(const std::vector<Decode>& decodes, const std::vector<LogPosition>& positions = {},
           AddCounts* counts = nullptr);
  const std::string& error() const { return error_; }

  /// The stored position of a log file; none when it was never read.
  std::optional<LogPosition> logPosition(const std::string& path);

  /// Drops decodes older than `utcMs` (the retention: now minus the days
  /// the user keeps). Returns how many went.
  std::int64_t dropOlderThan(std::int64_t utcMs);

  /// The time of the newest decode [ms since 1970]; none in an empty store.
  std::optional<std::int64_t> newestMs();
  /// How many decodes the store holds.
  std::int64_t count();

  /// The decodes with fromMs < time <= toMs, of band `band` (-1: every
  /// band), in order of time.
  std::vector<StoredDecode> between(std::int64_t fromMs, std::int64_t toMs, int band = -1);
  /// The same one at a time, without holding them all (a summary of
  /// millions of decodes); `visit` returns false to stop.
  void forEachBetween(std::int64_t fromMs, std::int64_t toMs, int band,
                      const std::function<bool(const StoredDecode&)>& visit);

  /// SQLite's full integrity check: true when it finds nothing.
  bool integrityOk();

 private:
  bool exec(const char* sql);
  bool prepareAll();
  void finalizeAll();
  bool damaged(int rc) const;
  bool setAsideAndRenew();
  std::string makeSchema();

  sqlite3* db_ = nullptr;
  std::filesystem::path file_;
  std::string error_;
  std::optional<Message> setAside_;
  sqlite3_stmt* insert_ = nullptr;
  sqlite3_stmt* gridOf_ = nullptr;
  sqlite3_stmt* setGrid_ = nullptr;
  sqlite3_stmt* setPosition_ = nullptr;
};

/// What besides period, band, mode, call and SNR tells two decodes apart:
/// the audio offset and the message; empty for WSPR.
std::string dedupeDetail(const Decode& d);

/// The receive period a decode falls in: its time rounded to the nearest
/// multiple of the period of its mode.
std::int64_t periodSlot(const Decode& d);

}  // namespace welvaro
