#include "files/backup.h"

#include <sys/stat.h>

#include <cerrno>
#include <string>
#include <vector>

namespace welvaro {

namespace fs = std::filesystem;

namespace {

bool taken(const fs::path& p) {
  struct stat st {};
  return ::lstat(p.c_str(), &st) == 0;
}

// A settings file is a few hundred bytes; a copy of a link's file larger
// than this is no settings file and is not copied.
constexpr std::size_t kLargestCopy = std::size_t{16} << 20;

}  // namespace

fs::path backupName(const fs::path& file, int n) {
  fs::path p = file;
  p += n == 0 ? std::string(".bak") : ".bak." + std::to_string(n);
  return p;
}

FileStatus keepAside(const fs::path& file, fs::path& kept) {
  // The copies there, oldest first (the lowest number).
  std::vector<int> present;
  for (int n = 0; n < kBackupCount; ++n)
    if (taken(backupName(file, n))) present.push_back(n);
  int next = present.empty() ? 0 : present.back() + 1;
  if (next == kBackupCount) {
    // No name after the newest: drop the oldest when all are taken, move
    // the others down to the lowest names, keep the new one after them.
    std::size_t first = 0;
    if (static_cast<int>(present.size()) == kBackupCount) {
      const fs::path oldest = backupName(file, present.front());
      std::error_code ec;
      if (!fs::remove(oldest, ec) || ec)
        return fileStatus(FileStatus::kError, oldest, "cannot remove the oldest copy", ec.value());
      first = 1;
    }
    int to = 0;
    for (std::size_t i = first; i < present.size(); ++i, ++to)
      if (present[i] != to)
        if (FileStatus st = moveFile(backupName(file, present[i]), backupName(file, to)); !st.ok()) return st;
    next = to;
  }
  kept = backupName(file, next);

  std::error_code ec;
  if (!fs::is_symlink(file, ec)) return moveFile(file, kept);
  std::string bytes;
  if (FileStatus st = readWholeFile(file, bytes, kLargestCopy); !st.ok()) return st;
  return replaceFile(kept, bytes);
}

}  // namespace welvaro
