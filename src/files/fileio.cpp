#include "files/fileio.h"

#include "files/window_prefs.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "files/programdir.h"
#include "files/termination.h"

namespace welvaro {

namespace fs = std::filesystem;

namespace {

// Closes a descriptor when it goes out of scope.
struct Fd {
  int fd = -1;
  explicit Fd(int f) : fd(f) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
  // Closes now; returns 0 or errno.
  int close() {
    const int f = fd;
    fd = -1;
    return ::close(f) == 0 ? 0 : errno;
  }
};

// writeAll's result when a termination was noted before all was written.
constexpr int kInterrupted = -1;

// Writes in pieces, so that a termination noted meanwhile is seen soon even
// for a picture of some hundred megabytes.
int writeAll(int fd, std::string_view bytes) {
  constexpr std::size_t kPiece = std::size_t{1} << 22;
  while (!bytes.empty()) {
    if (terminationSignal() != 0) return kInterrupted;
    const ssize_t n = ::write(fd, bytes.data(), std::min(bytes.size(), kPiece));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    if (n == 0) return EIO;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return 0;
}

// The one place where a file takes another's name.
int renameFile(const fs::path& from, const fs::path& to) {
  return std::rename(from.c_str(), to.c_str()) == 0 ? 0 : errno;
}

// Makes a rename in `folder` durable. The new name is in place already, so
// a failure here is not reported.
void syncFolder(const fs::path& folder) {
  const fs::path f = folder.empty() ? fs::path(".") : folder;
  const int fd = ::open(f.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (fd < 0) return;
  ::fsync(fd);
  ::close(fd);
}

constexpr std::string_view kOwnFiles[] = {kSettingsFile, kTableFile, kWorldBitmapFile, kChartBitmapFile,
                                          kWindowPrefsFile};

bool allAlnum(std::string_view t) {
  return std::all_of(t.begin(), t.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool allDigits(std::string_view t) {
  return !t.empty() &&
         std::all_of(t.begin(), t.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The six characters mkostemp puts in place of XXXXXX.
bool isTempSuffix(std::string_view t) { return t.size() == 6 && allAlnum(t); }

// ".<name>.XXXXXX": the temporary name replaceFile gives a write of `name`.
bool isTempOf(std::string_view entry, std::string_view name) {
  return entry.size() == name.size() + 8 && entry[0] == '.' && entry.substr(1, name.size()) == name &&
         entry[name.size() + 1] == '.' && isTempSuffix(entry.substr(name.size() + 2));
}

bool isLeftover(std::string_view entry) {
  for (const std::string_view name : kOwnFiles)
    if (isTempOf(entry, name)) return true;
  // Earlier versions: "<name>.XXXXXX" for the table and the pictures ...
  for (const std::string_view name : {kTableFile, kWorldBitmapFile, kChartBitmapFile}) {
    if (entry.size() == name.size() + 7 && entry.substr(0, name.size()) == name && entry[name.size()] == '.' &&
        isTempSuffix(entry.substr(name.size() + 1)))
      return true;
  }
  // ... and "Welvaro.dat.fresh<pid>_<n>" for the settings.
  const std::string prefix = std::string(kSettingsFile) + ".neu";
  if (entry.substr(0, prefix.size()) != prefix) return false;
  const std::string_view rest = entry.substr(prefix.size());
  const auto tick = rest.find('_');
  return tick != std::string_view::npos && allDigits(rest.substr(0, tick)) && allDigits(rest.substr(tick + 1));
}

// What a name that is no regular file is, for a message.
const char* kindOf(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a FIFO";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "not a regular file";
}

// The end of the links from `file` (or `file` itself): the name a write
// replaces. `end` is set as far as the links could be followed; the status
// is kError when the end exists and is no regular file, or cannot be
// reached.
FileStatus followLinks(const fs::path& file, fs::path& end) {
  end = file;
  for (int hops = 0; hops <= 40; ++hops) {
    struct stat st {};
    if (::lstat(end.c_str(), &st) != 0) {
      const int err = errno;
      if (err == ENOENT) return {};  // a new file (a missing folder fails when it is made)
      return fileStatus(FileStatus::kError, file, "cannot look at the file", err);
    }
    if (S_ISREG(st.st_mode)) return {};
    if (!S_ISLNK(st.st_mode)) {
      FileStatus refused = fileStatus(FileStatus::kError, file,
                                      std::string("is ") + kindOf(st.st_mode) + ", not a regular file; left alone");
      refused.err = S_ISDIR(st.st_mode) ? EISDIR : 0;
      return refused;
    }
    std::error_code ec;
    const fs::path to = fs::read_symlink(end, ec);
    if (ec) return fileStatus(FileStatus::kError, file, "cannot read the link", ec.value());
    end = to.is_absolute() ? to : end.parent_path() / to;
  }
  FileStatus loop = fileStatus(FileStatus::kError, file, "its links go round in a circle");
  loop.err = ELOOP;
  return loop;
}

// Makes the temporary file for a write of `target` and locks it, so that
// removeLeftovers of another run leaves it alone. Should such a run have
// removed the name between its making and the lock, a new one is made.
// Returns the descriptor, or -1 with errno set.
int makeTempFile(const fs::path& target, std::string& temp) {
  const fs::path pattern = target.parent_path() / ("." + target.filename().string() + ".XXXXXX");
  for (int attempt = 0; attempt < 5; ++attempt) {
    temp = pattern.string();
    const int fd = ::mkostemp(temp.data(), O_CLOEXEC);
    if (fd < 0) return -1;
    ::flock(fd, LOCK_EX);  // where the file system has no locks the write goes on without
    struct stat held {}, named {};
    if (::fstat(fd, &held) == 0 && ::lstat(temp.c_str(), &named) == 0 && held.st_dev == named.st_dev &&
        held.st_ino == named.st_ino)
      return fd;
    ::close(fd);
  }
  errno = EAGAIN;
  return -1;
}

// Removes the leftover `path` unless a writer holds its lock. Returns
// whether it was removed.
bool removeUnheld(const fs::path& path) {
  Fd d(::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
  struct stat st {};
  if (d.fd < 0 || ::fstat(d.fd, &st) != 0 || !S_ISREG(st.st_mode)) return false;
  if (::flock(d.fd, LOCK_EX | LOCK_NB) != 0 && errno == EWOULDBLOCK) return false;
  return ::unlink(path.c_str()) == 0;
}

// Removes from `folder` the entries `matches` accepts that no writer holds.
template <class Match>
void removeUnheldIn(const fs::path& folder, Match matches, std::vector<std::string>& removed) {
  std::error_code ec;
  for (fs::directory_iterator it(folder.empty() ? fs::path(".") : folder, ec), done; !ec && it != done;
       it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (matches(name) && removeUnheld(it->path())) removed.push_back(name);
  }
}

}  // namespace

std::string reasonOf(const FileStatus& st, const fs::path& file) {
  const std::string head = file.string() + ": ";
  return st.message.rfind(head, 0) == 0 ? st.message.substr(head.size()) : st.message;
}

FileStatus fileStatus(FileStatus::Kind kind, const fs::path& file, std::string_view what, int err) {
  FileStatus st;
  st.kind = kind;
  st.err = err;
  if (kind == FileStatus::kOk) return st;
  st.message = file.string() + ": " + std::string(what);
  if (err != 0) st.message += std::string(": ") + std::strerror(err);
  return st;
}

bool isRegularFile(const fs::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

FileStatus readWholeFile(const fs::path& file, std::string& bytes, std::size_t maxBytes) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR) return fileStatus(FileStatus::kMissing, file, "no such file");
    return fileStatus(FileStatus::kError, file, "cannot read the file", err);
  }
  if (!S_ISREG(st.st_mode)) return fileStatus(FileStatus::kMissing, file, "not a regular file");
  // O_NONBLOCK: should the name have become a FIFO since, opening it does
  // not wait (and fstat below refuses it).
  Fd d(::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  if (d.fd < 0) return fileStatus(FileStatus::kError, file, "cannot open the file", errno);
  if (::fstat(d.fd, &st) != 0) return fileStatus(FileStatus::kError, file, "cannot read the file", errno);
  if (!S_ISREG(st.st_mode)) return fileStatus(FileStatus::kMissing, file, "not a regular file");
  if (static_cast<std::size_t>(st.st_size) > maxBytes)
    return fileStatus(FileStatus::kWrongLength, file, std::to_string(st.st_size) + " bytes, more than expected");
  std::string content;
  content.reserve(static_cast<std::size_t>(st.st_size));
  char buffer[65536];
  for (;;) {
    const ssize_t n = ::read(d.fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return fileStatus(FileStatus::kError, file, "cannot read the file", errno);
    if (n == 0) break;
    content.append(buffer, static_cast<std::size_t>(n));
    if (content.size() > maxBytes)  // it grew while it was read
      return fileStatus(FileStatus::kWrongLength, file, "more bytes than expected");
  }
  bytes.swap(content);
  return {};
}

FileStatus checkOutputFile(const fs::path& file) {
  fs::path target;
  return followLinks(file, target);
}

FileStatus replaceFile(const fs::path& file, std::string_view bytes, Durability durability) {
  fs::path target;
  if (FileStatus st = followLinks(file, target); !st.ok()) return st;
  const bool flush = durability == Durability::kDurable;
  const fs::path folder = target.parent_path();
  const WriteInProgress writing;  // from here a termination only is noted
  if (terminationSignal() != 0) return fileStatus(FileStatus::kError, file, "interrupted");
  std::string temp;
  Fd d(makeTempFile(target, temp));
  if (d.fd < 0) return fileStatus(FileStatus::kError, file, "cannot create a temporary file", errno);
  // A second descriptor keeps the lock until the rename is done: closing
  // the first one reports what writing back failed to do.
  const Fd lock(::dup(d.fd));
  int err = ::fchmod(d.fd, 0644) == 0 ? 0 : errno;
  if (err == 0) err = writeAll(d.fd, bytes);
  if (err == 0 && flush && ::fsync(d.fd) != 0) err = errno;
  if (const int e = d.close(); err == 0) err = e;
  if (err == 0 && terminationSignal() != 0) err = kInterrupted;
  const char* what = "cannot write the file";
  if (err == 0) {
    err = renameFile(temp, target);
    what = "cannot replace the file";
  }
  if (err != 0) ::unlink(temp.c_str());
  if (err == kInterrupted) return fileStatus(FileStatus::kError, file, "interrupted");
  if (err != 0) return fileStatus(FileStatus::kError, file, what, err);
  if (flush) syncFolder(folder);
  return {};
}

FileStatus moveFile(const fs::path& file, const fs::path& target) {
  if (const int err = renameFile(file, target); err != 0)
    return fileStatus(FileStatus::kError, file, "cannot rename it to " + target.filename().string(), err);
  syncFolder(target.parent_path());
  return {};
}

std::vector<std::string> removeLeftovers(const fs::path& folder) {
  std::vector<std::string> removed;
  std::error_code ec;
  if (!fs::is_directory(folder, ec)) return removed;
  removeUnheldIn(folder, isLeftover, removed);
  // The program's files kept elsewhere through a link (a dotfile manager):
  // their writes left their temporary files beside the files linked to.
  for (const std::string_view name : kOwnFiles) {
    const fs::path own = folder / name;
    if (!fs::is_symlink(own, ec)) continue;
    for (const std::string& n : removeLeftoversOf(own)) removed.push_back(n);
  }
  std::sort(removed.begin(), removed.end());
  return removed;
}

std::vector<std::string> removeLeftoversOf(const fs::path& file) {
  fs::path target;
  followLinks(file, target);
  const std::string name = target.filename().string();
  std::vector<std::string> removed;
  if (name.empty()) return removed;
  removeUnheldIn(target.parent_path(), [&name](std::string_view entry) { return isTempOf(entry, name); }, removed);
  std::sort(removed.begin(), removed.end());
  return removed;
}

}  // namespace welvaro
