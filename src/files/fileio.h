// Whole files of the program: reading a file only when it is a regular
// file, and replacing a file so that a reader never sees half of it.
//
// Every file the program writes whole (settings, forecast table, the two
// display pictures, the refused settings file kept aside, the pictures and
// reports saved where the user chose) goes through replaceFile: a
// temporary file ".<name>.XXXXXX" in the same folder, all bytes written,
// flushed to disk, then renamed over the target. A write that is
// interrupted (the program killed) leaves only that temporary file;
// removeLeftovers clears such files at the next start. The writer holds a
// lock on its temporary file, so a file another run is still writing is
// never taken for a leftover.
//
// A target that is a symbolic link is written through: the file the link
// points to is replaced in its own folder and the link stays. A target that
// exists and is no regular file (a folder, a FIFO, a device, a socket) is
// refused before anything is opened or made.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace welvaro {

/// Outcome of reading or writing one of the program's files.
struct FileStatus {
  enum Kind {
    kOk,
    kMissing,      ///< no file, or something that is not a regular file (a folder, a FIFO, a device)
    kWrongLength,  ///< a file or an image of the wrong size
    kError,        ///< the system refused (errno in `err`)
  };
  Kind kind = kOk;
  int err = 0;          ///< system error number, 0 when none
  std::string message;  ///< what went wrong, beginning with the file name; empty when ok
  bool ok() const { return kind == kOk; }
};

/// A status of `kind` for `file`: "<file>: <what>" and, with an error
/// number, ": <its text>".
FileStatus fileStatus(FileStatus::Kind kind, const std::filesystem::path& file, std::string_view what, int err = 0);

/// What went wrong, without the file name the message begins with.
std::string reasonOf(const FileStatus& st, const std::filesystem::path& file);

/// Whether `file` (after following links) is a regular file. Asked before
/// any reader opens a file: opening a FIFO would wait for a writer.
bool isRegularFile(const std::filesystem::path& file);

/// Reads `file` whole into `bytes`. Anything that is not a regular file is
/// kMissing, without being opened. A file longer than `maxBytes` is
/// kWrongLength. On any failure `bytes` is left unchanged.
FileStatus readWholeFile(const std::filesystem::path& file, std::string& bytes, std::size_t maxBytes);

/// How long a replaced file must outlive a power failure.
enum class Durability {
  kDurable,  ///< flushed to disk before and after the rename (settings, table, the user's files)
  kVolatile,  ///< no flush: the display pictures, rebuilt every few minutes
};

/// Whether `file` may be replaced: it does not exist, is a regular file, or
/// is a symbolic link to one of these. Anything else is kError with a
/// message "<file>: ..." that says what the name is (EISDIR in `err` for a
/// folder, ELOOP for links that go round in a circle).
FileStatus checkOutputFile(const std::filesystem::path& file);

/// Replaces `file` with `bytes` (mode 0644): temporary file beside it (for
/// a link: beside the file it points to), write, (fsync,) rename(, fsync of
/// the folder). A target checkOutputFile refuses is left alone. On failure
/// the old file is left as it was and the temporary file is removed; so it
/// is when the command line's termination handler noted a signal
/// (termination.h): "<file>: interrupted". Either way a reader sees the old
/// file or the new one whole.
FileStatus replaceFile(const std::filesystem::path& file, std::string_view bytes,
                       Durability durability = Durability::kDurable);

/// Moves `file` to `target` in the same folder, replacing `target`.
FileStatus moveFile(const std::filesystem::path& file, const std::filesystem::path& target);

/// Removes from `folder` what interrupted writes of the program's own files
/// ("Welvaro.dat", "Welvaro.tab", "WelvDar1.bmp", "WelvDar2.bmp") left
/// behind: their temporary names ".<name>.XXXXXX", and those of earlier
/// versions ("Welvaro.tab.XXXXXX", "WelvDar1.bmp.XXXXXX",
/// "WelvDar2.bmp.XXXXXX", "Welvaro.dat.fresh<pid>_<n>"). Where one of these
/// files is a symbolic link, the temporary names beside the file it points
/// to go as well. A temporary file that a running writer still holds is
/// left alone; nothing else is touched. Returns the names removed.
std::vector<std::string> removeLeftovers(const std::filesystem::path& folder);

/// Removes what interrupted writes of `file` (a picture or report saved
/// under a name of the user's) left beside it, or beside the file it points
/// to: ".<name>.XXXXXX" no writer holds. Returns the names removed.
std::vector<std::string> removeLeftoversOf(const std::filesystem::path& file);

}  // namespace welvaro
