#include "files/fileio.h"

#include "files/window_prefs.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <system_error>

#include "files/programdir.h"

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

int writeAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
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

bool allAlnum(std::string_view t) {
  return std::all_of(t.begin(), t.end(), [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; });
}

bool allDigits(std::string_view t) {
  return !t.empty() &&
         std::all_of(t.begin(), t.end(), [](char c) { return std::isdigit(static_cast<unsigned char>(c)) != 0; });
}

// The six characters mkostemp puts in place of XXXXXX.
bool isTempSuffix(std::string_view t) { return t.size() == 6 && allAlnum(t); }

bool isLeftover(std::string_view entry) {
  for (const std::string_view name : {kSettingsFile, kTableFile, kWorldBitmapFile, kChartBitmapFile, kWindowPrefsFile}) {
    // ".<name>.XXXXXX"
    if (entry.size() == name.size() + 8 && entry[0] == '.' && entry.substr(1, name.size()) == name &&
        entry[name.size() + 1] == '.' && isTempSuffix(entry.substr(name.size() + 2)))
      return true;
  }
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

FileStatus replaceFile(const fs::path& file, std::string_view bytes, Durability durability) {
  const bool flush = durability == Durability::kDurable;
  const fs::path folder = file.parent_path();
  std::string temp = (folder / ("." + file.filename().string() + ".XXXXXX")).string();
  Fd d(::mkostemp(temp.data(), O_CLOEXEC));
  if (d.fd < 0) return fileStatus(FileStatus::kError, file, "cannot create a temporary file", errno);
  int err = ::fchmod(d.fd, 0644) == 0 ? 0 : errno;
  if (err == 0) err = writeAll(d.fd, bytes);
  if (err == 0 && flush && ::fsync(d.fd) != 0) err = errno;
  if (const int e = d.close(); err == 0) err = e;
  const char* what = "cannot write the file";
  if (err == 0) {
    err = renameFile(temp, file);
    what = "cannot replace the file";
  }
  if (err != 0) {
    ::unlink(temp.c_str());
    return fileStatus(FileStatus::kError, file, what, err);
  }
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
  for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (!isLeftover(name)) continue;
    std::error_code type;
    if (!it->is_regular_file(type) || it->is_symlink(type)) continue;
    if (::unlink(it->path().c_str()) == 0) removed.push_back(name);
  }
  std::sort(removed.begin(), removed.end());
  return removed;
}

}  // namespace welvaro
