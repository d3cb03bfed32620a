#include "decodes/logreader.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>

#include "decodes/logline.h"
#include "files/fileio.h"

namespace welvaro {

namespace {

constexpr std::size_t kChunk = 1 << 20;       // bytes read at a time
constexpr std::size_t kLongestLine = 1 << 16;  // a longer "line" is no line of the log
constexpr std::uint32_t kHead = 256;          // bytes of the fingerprint

std::uint64_t fnv1a(const char* p, std::size_t n) {
  std::uint64_t h = 1469598103934665603ull;
  for (std::size_t i = 0; i < n; ++i) {
    h ^= static_cast<unsigned char>(p[i]);
    h *= 1099511628211ull;
  }
  return h;
}

// Reads up to n bytes at `at`; the count read, or -1.
ssize_t readAt(int fd, char* buf, std::size_t n, std::uint64_t at) {
  std::size_t done = 0;
  while (done < n) {
    const ssize_t r = ::pread(fd, buf + done, n - done, static_cast<off_t>(at + done));
    if (r < 0 && errno == EINTR) continue;
    if (r < 0) return -1;
    if (r == 0) break;
    done += static_cast<std::size_t>(r);
  }
  return static_cast<ssize_t>(done);
}

struct Fd {
  int fd = -1;
  ~Fd() {
    if (fd >= 0) ::close(fd);
  }
};

}  // namespace

LogReadCounts& LogReadCounts::operator+=(const LogReadCounts& o) {
  lines += o.lines;
  decodes += o.decodes;
  transmits += o.transmits;
  noStation += o.noStation;
  unreadable += o.unreadable;
  fromStart = fromStart || o.fromStart;
  if (error.empty()) error = o.error;
  return *this;
}

LogReadCounts readNewLines(const LogFile& log, const std::optional<LogPosition>& from, const LogBatchSink& sink,
                           std::size_t batchSize) {
  LogReadCounts c;
  if (!isRegularFile(log.path)) {
    c.error = log.path + ": no such file, or not a regular file";
    return c;
  }
  Fd f;
  f.fd = ::open(log.path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  struct stat st {};
  if (f.fd < 0 || ::fstat(f.fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    c.error = log.path + ": " + (f.fd < 0 ? std::strerror(errno) : "not a regular file");
    return c;
  }
  const auto size = static_cast<std::uint64_t>(st.st_size);

  LogPosition pos;
  pos.path = log.path;
  pos.device = static_cast<std::uint64_t>(st.st_dev);
  pos.inode = static_cast<std::uint64_t>(st.st_ino);
  char head[kHead];
  const ssize_t headRead = readAt(f.fd, head, std::min<std::uint64_t>(kHead, size), 0);
  if (headRead < 0) {
    c.error = log.path + ": " + std::strerror(errno);
    return c;
  }
  pos.headLength = static_cast<std::uint32_t>(headRead);
  pos.headHash = fnv1a(head, pos.headLength);

  // Go on where the last read ended, unless the file is another one now.
  std::uint64_t offset = 0;
  if (from && from->device == pos.device && from->inode == pos.inode && from->offset <= size &&
      from->headLength <= pos.headLength && fnv1a(head, from->headLength) == from->headHash)
    offset = from->offset;
  c.fromStart = offset == 0;

  std::vector<Decode> batch;
  batch.reserve(std::min<std::size_t>(batchSize, 65536));
  Decode d;
  std::string buf;     // bytes from `offset` on not yet taken as lines
  std::uint64_t next = offset;  // file position of the end of buf
  // No larger than what is new: a read of a few new lines stays cheap.
  std::vector<char> chunk(static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - std::min(size, offset))));
  bool skipping = false;  // inside an over-long line: up to its end it is passed over
  while (next < size) {
    const ssize_t n = readAt(f.fd, chunk.data(), static_cast<std::size_t>(std::min<std::uint64_t>(kChunk, size - next)), next);
    if (n <= 0) break;
    next += static_cast<std::uint64_t>(n);
    buf.append(chunk.data(), static_cast<std::size_t>(n));
    std::size_t a = 0;
    for (;;) {
      const std::size_t e = buf.find('\n', a);
      if (e == std::string::npos) break;
      const std::string_view line(buf.data() + a, e - a);
      a = e + 1;
      if (skipping) {
        skipping = false;
        continue;
      }
      ++c.lines;
      const LogLineKind kind = parseLogLine(line, d);
      if (kind == LogLineKind::Decode || kind == LogLineKind::NoStation) {
        ++(kind == LogLineKind::Decode ? c.decodes : c.noStation);
        d.rxLat = log.rxLat;
        d.rxLon = log.rxLon;
        batch.push_back(std::move(d));
        d = Decode{};
      } else if (kind == LogLineKind::Transmit) {
        ++c.transmits;
      } else {
        ++c.unreadable;
      }
      if (batch.size() >= batchSize) {
        pos.offset = offset + a;
        if (!sink(batch, pos)) return c;
        batch.clear();
      }
    }
    buf.erase(0, a);
    offset += a;
    if (buf.size() > kLongestLine) {
      // No line of the log is this long: counted once and passed over up
      // to its end.
      ++c.unreadable;
      ++c.lines;
      offset += buf.size();
      buf.clear();
      skipping = true;
    }
  }
  pos.offset = offset;
  if (offset != (from ? from->offset : 0) || !batch.empty() || c.fromStart || !from)
    sink(batch, pos);
  return c;
}

LogReadCounts importLogs(DecodeStore& store, const std::vector<LogFile>& logs, AddCounts* added,
                         std::size_t batchSize) {
  LogReadCounts all;
  AddCounts sum;
  for (const LogFile& log : logs) {
    std::string err;
    const LogReadCounts c = readNewLines(
        log, store.logPosition(log.path),
        [&](std::vector<Decode>& batch, const LogPosition& reached) {
          AddCounts a;
          if (!store.add(batch, {reached}, &a)) {
            err = store.error();
            return false;
          }
          sum.added += a.added;
          sum.duplicates += a.duplicates;
          sum.outsideBands += a.outsideBands;
          return true;
        },
        batchSize);
    all += c;
    if (all.error.empty() && !err.empty()) all.error = err;
  }
  if (added) *added = sum;
  return all;
}

std::vector<std::string> findReceiverLogs(const std::string& home) {
  std::vector<std::string> out;
  if (home.empty()) return out;
  std::error_code ec;
  const std::filesystem::path share = std::filesystem::path(home) / ".local" / "share";
  for (std::filesystem::directory_iterator it(share, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string name = it->path().filename().string();
    if (name.rfind("WSJT-X", 0) != 0 && name.rfind("JTDX", 0) != 0) continue;
    const std::filesystem::path all = it->path() / "ALL.TXT";
    if (isRegularFile(all)) out.push_back(all.string());
  }
  std::sort(out.begin(), out.end());
  return out;
}

}  // namespace welvaro
