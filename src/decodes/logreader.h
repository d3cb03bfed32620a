// Reading the receiver's decode logs (ALL.TXT) in place, only what was
// added since the last time.
//
// The position reached in each file is kept in the store together with the
// decodes it gave (store.h): the next read goes on from there. A file that
// was replaced (another file under the name: other device or inode) or
// shortened, or whose first bytes changed (rewritten in place), is read
// again from its start; decodes read twice are stored once. A last line
// without its line feed is still being written and is left for the next
// read. Lines that are not of the log's form are counted, never fatal.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "decodes/decode.h"
#include "decodes/store.h"

namespace welvaro {

/// A log and the position of the receiver that wrote it.
struct LogFile {
  std::string path;
  double rxLat = 0, rxLon = 0;  ///< [deg]; the user's station A unless set
};

/// What one read of a log met.
struct LogReadCounts {
  std::uint64_t lines = 0;       ///< whole lines read
  std::uint64_t decodes = 0;     ///< decodes of a station
  std::uint64_t transmits = 0;   ///< own transmissions (Tx), passed over
  std::uint64_t noStation = 0;   ///< decodes whose message names no sending call (stored without a call)
  std::uint64_t unreadable = 0;  ///< lines not of the log's form
  bool fromStart = false;        ///< read from the start: first time, or replaced, shortened or rewritten
  std::string error;             ///< empty, or why the file could not be read (missing, not a regular file)

  LogReadCounts& operator+=(const LogReadCounts& o);
};

/// Receives a batch of decodes and the position after its last line; the
/// decodes may be moved from. Returns false to stop reading (the position
/// of the batch then does not count as reached).
using LogBatchSink = std::function<bool(std::vector<Decode>& decodes, const LogPosition& reached)>;

/// Reads what is new in `log` after `from` (none: never read) in batches
/// of at most `batchSize` decodes (those without a sending call included),
/// each handed to `sink`; a batch is handed over also when it holds no
/// decode, so the position moves on. Every decode carries the log's
/// receiver position.
LogReadCounts readNewLines(const LogFile& log, const std::optional<LogPosition>& from, const LogBatchSink& sink,
                           std::size_t batchSize = 20000);

/// Reads what is new in every log into `store`, each batch with its log
/// position as one transaction. `added` (when given) receives the store's
/// counts summed up.
LogReadCounts importLogs(DecodeStore& store, const std::vector<LogFile>& logs, AddCounts* added = nullptr,
                         std::size_t batchSize = 20000);

/// The logs found in the receivers' usual folders of the user `home`:
/// ALL.TXT in ~/.local/share/WSJT-X*, ~/.local/share/JTDX* (the folders of
/// a second configuration "WSJT-X - NAME" included), as regular files, in
/// order of their paths.
std::vector<std::string> findReceiverLogs(const std::string& home);

}  // namespace welvaro
