#include "files/datafiles.h"

#include <sys/stat.h>

#include <cerrno>
#include <system_error>

#include "files/codepage.h"
#include "files/gazetteer.h"
#include "files/places.h"
#include "files/read_limits.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

namespace fs = std::filesystem;

DataFileStatus status(DataFileState state, const fs::path& file, std::string reason = {}) {
  return {state, file, std::move(reason)};
}

// Whether anything is at `file`, links followed: a link to nothing is missing.
bool somethingThere(const fs::path& file) {
  struct stat st {};
  return ::stat(file.c_str(), &st) == 0;
}

std::string bytesText(std::uintmax_t n) { return std::to_string(n) + (n == 1 ? " byte" : " bytes"); }

// The size of a file that was too large to be read.
std::string sizeOf(const fs::path& file) {
  std::error_code ec;
  const std::uintmax_t n = fs::file_size(file, ec);
  return ec ? std::string("larger than its reader takes") : bytesText(n);
}

// An item of a place list as a message may quote it: UTF-8, no control
// characters, at most 40 characters.
std::string quotedItem(std::string_view item) {
  std::string t;
  for (const char c : item.substr(0, 40)) {
    const auto b = static_cast<unsigned char>(c);
    t += b < 0x20 || b == 0x7F ? '?' : c;
  }
  return "'" + cp1252ToUtf8(t) + (item.size() > 40 ? "...'" : "'");
}

// A coordinate text of a place item: begins with a number (blanks, an
// optional sign, digits with at most one point) that lies within +-limit.
bool coordinate(std::string_view t, double limit) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digit = false;
  for (; i < t.size() && ((t[i] >= '0' && t[i] <= '9') || t[i] == '.'); ++i) digit = digit || t[i] != '.';
  if (!digit) return false;
  const double v = ReadNumber(t);
  return v >= -limit && v <= limit;
}

}  // namespace

std::string DataFileStatus::message() const {
  switch (state) {
    case DataFileState::kRead: return {};
    case DataFileState::kMissing: return file.string() + ": missing";
    case DataFileState::kDamaged: return file.string() + ": damaged: " + reason;
    case DataFileState::kUnreadable: return file.string() + ": cannot be read: " + reason;
  }
  return {};
}

DataFileStatus dataFileStatus(const FileStatus& read, const fs::path& file) {
  switch (read.kind) {
    case FileStatus::kOk: return status(DataFileState::kRead, file);
    case FileStatus::kMissing:
      if (!somethingThere(file)) return status(DataFileState::kMissing, file);
      return status(DataFileState::kUnreadable, file, "not a regular file");
    case FileStatus::kWrongLength:
      return status(DataFileState::kDamaged, file, sizeOf(file) + ", more than such a file holds");
    case FileStatus::kError: break;
  }
  return status(DataFileState::kUnreadable, file, reasonOf(read, file));
}

std::string placeListDamage(std::string_view text) {
  if (text.find('\0') != std::string_view::npos) return "it holds NUL bytes: no text file";
  std::size_t number = 0;
  for (const std::string& item : placeItems(text)) {
    ++number;
    if (item.empty()) continue;
    const std::string where = "item " + std::to_string(number) + " " + quotedItem(item);
    const std::size_t p1 = item.find(':');
    const std::size_t p2 = p1 == std::string::npos ? p1 : item.find(':', p1 + 1);
    const std::size_t p3 = p2 == std::string::npos ? p2 : item.find(':', p2 + 1);
    if (p3 == std::string::npos) return where + " is not identifier:name:longitude:latitude";
    const std::string_view t(item);
    if (!coordinate(t.substr(p2 + 1, p3 - p2 - 1), 180)) return where + ": the longitude is no number -180..180";
    if (!coordinate(t.substr(p3 + 1), 90)) return where + ": the latitude is no number -90..90";
  }
  return {};
}

DataFileStatus loadPlaceList(State& s, const fs::path& file) {
  // Without a list: no places, no index, the nearest-place command off.
  s.OrtFlag = 0;
  readPlacesText(s, {});
  for (int u = 0; u <= 35; ++u)
    for (int m = 0; m <= 17; ++m) s.OrtRaster[u][m].clear();

  std::string text;
  DataFileStatus st = dataFileStatus(readWholeFile(file, text, kPlaceListReadLimit), file);
  if (!st.read()) return st;
  if (std::string damage = placeListDamage(text); !damage.empty())
    return status(DataFileState::kDamaged, file, std::move(damage));
  s.OrtFlag = 1;
  readPlacesText(s, text);
  buildOrtRaster(s);
  return st;
}

DataFileStatus loadGazetteer(const fs::path& file, Gazetteer& gazetteer) {
  gazetteer = Gazetteer();
  std::string bytes;
  const DataFileStatus st = dataFileStatus(readWholeFile(file, bytes, kGazetteerReadLimit), file);
  if (!st.read()) return st;
  std::string why;
  auto places = parseGazetteer(bytes, &why);
  if (!places) return status(DataFileState::kDamaged, file, why);
  gazetteer = Gazetteer(std::move(*places));
  return st;
}

DataFileStatus loadOverlay(const fs::path& file, std::size_t length, std::string& mask) {
  mask.assign(length, '\0');
  std::string bytes;
  const FileStatus r = readWholeFile(file, bytes, length);
  if (r.kind == FileStatus::kWrongLength)
    return status(DataFileState::kDamaged, file, sizeOf(file) + " instead of " + bytesText(length));
  const DataFileStatus st = dataFileStatus(r, file);
  if (!st.read()) return st;
  if (bytes.size() != length)
    return status(DataFileState::kDamaged, file, bytesText(bytes.size()) + " instead of " + bytesText(length));
  mask.swap(bytes);
  return st;
}

DataFileStatus loadMapLines(const fs::path& file, MapLines& lines) {
  lines = {};
  std::string bytes;
  const DataFileStatus st = dataFileStatus(readWholeFile(file, bytes, kMapLinesReadLimit), file);
  if (!st.read()) return st;
  switch (decodeMapLines(bytes, lines)) {
    case LinesStatus::kRead: return st;
    case LinesStatus::kWrongLength:
      return status(DataFileState::kDamaged, file, "shorter or longer than its own counts of lines and points say");
    default: break;
  }
  return status(DataFileState::kDamaged, file, "not map lines: a wrong tag or version, or a kind, count or position out of range");
}

DataFileStatus loadHelpFile(const fs::path& file, std::string& html) {
  html.clear();
  std::string text;
  const DataFileStatus st = dataFileStatus(readWholeFile(file, text, kHelpReadLimit), file);
  if (!st.read()) return st;
  if (text.find('\0') != std::string::npos) return status(DataFileState::kDamaged, file, "it holds NUL bytes: no HTML text");
  html.swap(text);
  return st;
}

DataFileStatus checkHelpFile(const fs::path& file) {
  struct stat st {};
  if (::stat(file.c_str(), &st) != 0) {
    const int err = errno;
    if (err == ENOENT || err == ENOTDIR) return status(DataFileState::kMissing, file);
    return status(DataFileState::kUnreadable, file, std::generic_category().message(err));
  }
  if (!S_ISREG(st.st_mode)) return status(DataFileState::kUnreadable, file, "not a regular file");
  if (static_cast<std::uintmax_t>(st.st_size) > kHelpReadLimit)
    return status(DataFileState::kDamaged, file, bytesText(static_cast<std::uintmax_t>(st.st_size)) + ", more than such a file holds");
  return status(DataFileState::kRead, file);
}

}  // namespace welvaro
