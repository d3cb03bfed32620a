// Whole files of the program: reading a file only when it is a regular
// file, and replacing a file so that a reader never sees half of it.
//
// Every file the program writes whole (settings, forecast table, the two
// display pictures, the refused settings file kept aside) goes through
// replaceFile: a temporary file ".<name>.XXXXXX" in the same folder, all
// bytes written, flushed to disk, then renamed over the target. A write
// that is interrupted (the program killed) leaves only that temporary file;
// removeLeftovers clears such files at the next start.
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

/// Replaces `file` with `bytes` (mode 0644): temporary file beside it,
/// write, (fsync,) rename(, fsync of the folder). On failure the old file
/// is left as it was and the temporary file is removed. Either way a reader
/// sees the old file or the new one whole.
FileStatus replaceFile(const std::filesystem::path& file, std::string_view bytes,
                       Durability durability = Durability::kDurable);

/// Moves `file` to `target` in the same folder, replacing `target`.
FileStatus moveFile(const std::filesystem::path& file, const std::filesystem::path& target);

/// Removes from `folder` what interrupted writes of the program's own files
/// ("Welvaro.dat", "Welvaro.tab", "WelvDar1.bmp", "WelvDar2.bmp") left
/// behind: their temporary names ".<name>.XXXXXX", and those of earlier
/// versions ("Welvaro.tab.XXXXXX", "WelvDar1.bmp.XXXXXX",
/// "WelvDar2.bmp.XXXXXX", "Welvaro.dat.fresh<pid>_<n>"). Nothing else is
/// touched. Returns the names removed.
std::vector<std::string> removeLeftovers(const std::filesystem::path& folder);

}  // namespace welvaro
