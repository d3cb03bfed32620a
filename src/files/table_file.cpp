#include "files/table_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "files/read_limits.h"

namespace welvaro {

static_assert(kTableReadLimit == kTabLength, "the table file is read whole and no longer");

TableFileStatus readTableFile(const std::filesystem::path& file, std::string& image) {
  std::string picture;
  const FileStatus r = readWholeFile(file, picture, kTableReadLimit);
  if (r.kind == FileStatus::kMissing) return fileStatus(FileStatus::kMissing, file, "no table file");
  if (r.kind == FileStatus::kError) return fileStatus(FileStatus::kError, file, "cannot read the table file", r.err);
  if (r.ok() && picture.size() == kTabLength) {
    image.swap(picture);
    return {};
  }
  std::error_code ec;  // a longer file was not read: ask for its size
  const std::uintmax_t size = r.ok() ? picture.size() : std::filesystem::file_size(file, ec);
  return fileStatus(FileStatus::kWrongLength, file,
                    std::to_string(size) + " bytes instead of " + std::to_string(kTabLength));
}

TableFileStatus writeTableFile(const std::filesystem::path& file, std::string_view image) {
  if (image.size() != kTabLength)
    return fileStatus(FileStatus::kWrongLength, file,
                      "the table image has " + std::to_string(image.size()) + " bytes instead of " +
                          std::to_string(kTabLength));
  return replaceFile(file, image);
}

TableFileStatus writeTableHeader(const std::filesystem::path& file, std::string_view image) {
  if (image.size() < kTabHeaderLength) return fileStatus(FileStatus::kWrongLength, file, "no table header in memory");
  if (!isRegularFile(file)) return fileStatus(FileStatus::kMissing, file, "no table file to update");
  // O_NONBLOCK: a FIFO put in its place meanwhile makes open fail instead of wait.
  const int fd = ::open(file.c_str(), O_WRONLY | O_CLOEXEC | O_NONBLOCK);
  if (fd < 0) {
    const int err = errno;
    if (err == ENOENT) return fileStatus(FileStatus::kMissing, file, "no table file to update");
    return fileStatus(FileStatus::kError, file, "cannot open the table file", err);
  }
  struct stat st {};
  int err = ::fstat(fd, &st) == 0 ? 0 : errno;
  const bool whole = err == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == kTabLength;
  std::size_t n = 0;
  while (err == 0 && whole && n < kTabHeaderLength) {
    const ssize_t w = ::pwrite(fd, image.data() + n, kTabHeaderLength - n, static_cast<off_t>(n));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) err = w < 0 ? errno : EIO;
    else n += static_cast<std::size_t>(w);
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return fileStatus(FileStatus::kError, file, "cannot write the table header", err);
  if (!whole) return fileStatus(FileStatus::kWrongLength, file, "not a whole table file; header not written");
  return {};
}

}  // namespace welvaro
