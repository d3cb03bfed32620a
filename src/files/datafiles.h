// The data files that come with the program - the place list, the
// gazetteer, the two overlays, the map lines and the help - read with what
// became of each: read, missing, damaged or unreadable, and why.
//
// A missing data file is no fault: the feature it serves is simply absent.
// A file that is there but damaged (of the wrong length, not in its
// layout) or unreadable (not a regular file, refused by the system) is
// not used either, but the user is told: the window in its message bar,
// welvaro-cli with exit status 4 where a command needs the file.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

#include "files/fileio.h"
#include "files/map_lines.h"
#include "state/place_search.h"
#include "state/state.h"

namespace welvaro {

enum class DataFileState {
  kRead,        ///< read whole and in its layout
  kMissing,     ///< nothing at its name (a link to nothing included)
  kDamaged,     ///< a regular file, but of the wrong size or not in its layout
  kUnreadable,  ///< not a regular file (a folder, a FIFO, a device), or the system refused it
};

struct DataFileStatus {
  DataFileState state = DataFileState::kRead;
  std::filesystem::path file;
  std::string reason;  ///< what is wrong, in English; empty when read or missing
  bool read() const { return state == DataFileState::kRead; }
  bool broken() const { return state == DataFileState::kDamaged || state == DataFileState::kUnreadable; }
  /// "<file>: damaged: <reason>", "<file>: cannot be read: <reason>" or
  /// "<file>: missing"; empty when read.
  std::string message() const;
};

/// The status of a whole-file read (readWholeFile) of `file`: a file too
/// large for its reader is damaged, anything that is not a regular file
/// (but is there) unreadable, a refusal of the system unreadable.
DataFileStatus dataFileStatus(const FileStatus& read, const std::filesystem::path& file);

/// What is wrong with the text of a place list, empty when nothing: a NUL
/// byte (no text file), or an item that is not
/// identifier:name:longitude:latitude with both numbers on the earth (the
/// first such item is named). Empty items are no fault.
std::string placeListDamage(std::string_view text);

/// The place list of the start-up into the state: OrtFlag = 1, the places
/// and OrtRaster when it was read; otherwise (missing, damaged, unreadable)
/// no places, no index and OrtFlag = 0.
DataFileStatus loadPlaceList(State& s, const std::filesystem::path& file);

/// The gazetteer; empty unless it was read.
DataFileStatus loadGazetteer(const std::filesystem::path& file, Gazetteer& gazetteer);

/// An overlay of exactly `length` bytes into `mask`; `length` zero bytes
/// unless it was read.
DataFileStatus loadOverlay(const std::filesystem::path& file, std::size_t length, std::string& mask);

/// The map lines; empty unless they were read.
DataFileStatus loadMapLines(const std::filesystem::path& file, MapLines& lines);

/// The help file (HTML) whole into `html`; empty unless it was read. A
/// file with a NUL byte is no help text: damaged.
DataFileStatus loadHelpFile(const std::filesystem::path& file, std::string& html);

/// What a reader of the help file would find, without reading it: missing,
/// unreadable (not a regular file), damaged (larger than a help file), or
/// read (it can be opened when asked for).
DataFileStatus checkHelpFile(const std::filesystem::path& file);

}  // namespace welvaro
