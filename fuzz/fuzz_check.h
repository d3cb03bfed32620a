// Helpers shared by the fuzz targets.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace welvaro::fuzz {

// A property every input must keep. A broken one is a finding: libFuzzer
// saves the input when the process aborts.
#define FUZZ_CHECK(cond)                                                              \
  do {                                                                                \
    if (!(cond)) {                                                                    \
      std::fprintf(stderr, "%s:%d: property broken: %s\n", __FILE__, __LINE__, #cond); \
      std::abort();                                                                   \
    }                                                                                 \
  } while (0)

// For the targets' own checking code: its branches say nothing about the
// reader under test, so they are kept out of the coverage the fuzzer
// steers by (and out of its slow comparison tracing).
#define FUZZ_UNTRACED __attribute__((no_sanitize("coverage")))

// A file in memory with a path the readers can open like any other file
// (/proc/self/fd/N), so the readers that take a path see the fuzzed bytes
// without anything being written to disk.
class MemFile {
 public:
  MemFile() : fd_(::memfd_create("welvaro-fuzz", MFD_CLOEXEC)) { FUZZ_CHECK(fd_ >= 0); }
  ~MemFile() { ::close(fd_); }
  MemFile(const MemFile&) = delete;
  MemFile& operator=(const MemFile&) = delete;

  // Replaces the whole content.
  void set(std::string_view bytes) {
    FUZZ_CHECK(::ftruncate(fd_, 0) == 0);
    std::size_t done = 0;
    while (done < bytes.size()) {
      const ssize_t n = ::pwrite(fd_, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
      FUZZ_CHECK(n > 0);
      done += static_cast<std::size_t>(n);
    }
  }
  std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

 private:
  int fd_;
};

// `bytes` repeated (or cut) to exactly `length` bytes; zeros when empty.
FUZZ_UNTRACED inline std::string tiled(std::string_view bytes, std::size_t length) {
  if (bytes.empty()) return std::string(length, '\0');
  std::string out(bytes.substr(0, length));
  out.reserve(length);
  while (out.size() < length) out.append(out, 0, std::min(out.size(), length - out.size()));
  return out;
}

}  // namespace welvaro::fuzz
