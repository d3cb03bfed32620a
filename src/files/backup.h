// Copies of a refused file kept aside: "<file>.bak", "<file>.bak.1" ..
// "<file>.bak.4", the number growing with each copy kept, so no copy ever
// overwrites another. With five copies kept the oldest is dropped and the
// others move down one name.
#pragma once

#include <filesystem>

#include "files/fileio.h"

namespace welvaro {

/// Copies of one file kept at most.
inline constexpr int kBackupCount = 5;

/// The name of kept copy n (0..kBackupCount - 1): "<file>.bak" for 0,
/// "<file>.bak.<n>" after it.
std::filesystem::path backupName(const std::filesystem::path& file, int n);

/// Keeps `file` aside under the name after the newest copy kept so far
/// (sets `kept` to it). The file is moved there; a symbolic link stays
/// where it is and the file it points to is copied instead (the next save
/// writes through the link). On failure the file and the copies are left
/// as they were, as far as the system allows.
FileStatus keepAside(const std::filesystem::path& file, std::filesystem::path& kept);

}  // namespace welvaro
