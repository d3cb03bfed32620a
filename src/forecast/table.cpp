#include "forecast/table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <system_error>

#include "files/fileio.h"
#include "forecast/tageskorr.h"
#include "state/arith.h"
#include "state/numtext.h"

namespace welvaro {

double tabBreite(int i) {
  if (i == 0) return -89.5;
  if (i == kTabBreiten - 1) return 89.5;
  return (i - 9) * 10.0;
}

float tabLaenge(int j) { return static_cast<float>((j - 18) * 10); }

namespace {

std::string zweiStellig(int v) {
  std::string t = std::to_string(v);
  return t.size() < 2 ? std::string(2 - t.size(), '0') + t : t;
}

std::string dreiStellig(int v) {
  std::string t = std::to_string(v);
  return t.size() < 3 ? std::string(3 - t.size(), '0') + t : t;
}

// Fills the 720 bytes of one grid block from ErgFeld slice 0: frequency
// index k = 2..31 (1..30 MHz), inside it hours 1..24.
void blockAusErgFeld(const State& s, std::array<char, kTabBlockLaenge>& block) {
  std::size_t n = 0;
  const auto& schicht = s.ErgFeld[0];
  for (int k = 2; k <= 31; ++k)
    for (int h = 1; h <= 24; ++h) block[n++] = static_cast<char>(tabByte(schicht[h][k]));
}

// Forecast to the grid point (X2, Y2) already set; when it fails, the same
// point moved 0.1 degree of latitude towards the equator, then away from it.
// X2 is set back to the grid latitude in every case. Returns 0 or the fault
// of the last attempt.
int prognoseAmPunkt(State& s, GenTabInfo& info) {
  const double breite = s.X2;
  int rc = prgTageskorr(s);
  if (rc == 0) return 0;
  const double zumAequator = breite > 0 ? -0.1 : 0.1;
  for (const double schritt : {zumAequator, -zumAequator}) {
    s.X2 = breite + schritt;
    rc = prgTageskorr(s);
    if (rc == 0) break;
  }
  s.X2 = breite;
  if (rc == 0) ++info.verschoben;
  return rc;
}

}  // namespace

std::string tableHeader(const State& s) {
  std::string k;
  k.reserve(kTabKopfLaenge + 16);
  k += zweiStellig(static_cast<int>(s.Monat));
  k += ':';
  k += dreiStellig(dayOfYear(s.Jetzt));
  k += ':';
  k += NumberText(s.X1);
  k += ':';
  k += NumberText(s.Y1);
  k += ':';
  k += NumberText(s.Sag);
  k += ':';
  k += NumberText(s.Angm);
  k += ": ";
  k += s.Zkwa;
  k += ": ";
  k += s.P;
  k += ':';
  k += NumberText(s.Iproz);
  k += ": ";
  k += s.Ssn;
  k += ':';
  k += " QX9QQ ";
  k += ':';
  k += shortDate(s.Jetzt);
  k += ':';
  k.resize(kTabKopfLaenge, '.');
  return k;
}

unsigned char tabByte(double feld) {
  const double b = std::floor(feld + 128);
  if (!(b > 0)) return 0;  // also a value that is not a number
  if (b > 255) return 255;
  return static_cast<unsigned char>(b);
}

namespace {

// 45 - 20 x log10 of the frequency in Hz, with ln(10) taken as 2.3025851.
double pegelTerm(int f) { return 45 - 20 * std::log(f * 1000000.0) / 2.3025851; }

}  // namespace

int16 weltpegel(int f, int v) { return static_cast<int16>(RoundEven(pegelTerm(f) + v)); }

int prgGenTabPlus(State& s, GenTabInfo* infoOut) {
  GenTabInfo info;
  std::string& bild = s.TabText;
  bild.clear();
  bild.reserve(kTabLaenge);
  bild += tableHeader(s);

  std::array<char, kTabBlockLaenge> block{};
  for (int i = 0; i < kTabBreiten; ++i) {
    for (int j = 0; j < kTabLaengen; ++j) {
      s.X2 = tabBreite(i);
      s.Y2 = tabLaenge(j);
      const int rc = prognoseAmPunkt(s, info);
      if (rc == 0) {
        blockAusErgFeld(s, block);
      } else {
        // Never let a failed point inherit the previous point's results.
        block.fill(static_cast<char>(0));
        if (info.gefuellt++ == 0) {
          info.ersterFehler = rc;
          info.fehlerBreite = i;
          info.fehlerLaenge = j;
        }
      }
      bild.append(block.data(), block.size());
    }
  }
  if (infoOut) *infoOut = info;
  return info.ersterFehler;
}

bool prgTabPlus(State& s) {
  if (s.TabText.size() != kTabLaenge) return false;
  // The level term of each frequency, formed once.
  std::array<double, 31> terme{};
  for (int f = 1; f <= 30; ++f) terme[static_cast<std::size_t>(f)] = pegelTerm(f);

  const auto* p = reinterpret_cast<const unsigned char*>(s.TabText.data()) + kTabKopfLaenge;
  for (int i = 0; i < kTabBreiten; ++i) {
    for (int j = 0; j < kTabLaengen; ++j) {
      auto& feld = s.Weltfeld[i][j];
      auto& pegel = s.Weltpegel[i][j];
      for (int f = 1; f <= 30; ++f) {
        const double term = terme[static_cast<std::size_t>(f)];
        for (int h = 1; h <= 24; ++h) {
          int v = static_cast<int>(*p++) - 128;
          if (v < -64) v = -64;
          if (v > 64) v = 64;
          feld[f][h] = static_cast<int16>(v);
          pegel[f][h] = static_cast<int16>(RoundEven(term + v));
        }
      }
    }
  }
  s.TabText.resize(kTabKopfLaenge);
  s.TabText.shrink_to_fit();
  s.TabMonat = s.TabText.substr(0, 2);
  s.TabTag = s.TabText.substr(3, 3);
  return true;
}

// ---- The table file ------------------------------------------------------

TableFileStatus readTableFile(const std::filesystem::path& file, std::string& image) {
  std::string bild;
  const FileStatus r = readWholeFile(file, bild, kTabLaenge);
  if (r.kind == FileStatus::kMissing) return fileStatus(FileStatus::kMissing, file, "no table file");
  if (r.kind == FileStatus::kError) return fileStatus(FileStatus::kError, file, "cannot read the table file", r.err);
  if (r.ok() && bild.size() == kTabLaenge) {
    image.swap(bild);
    return {};
  }
  std::error_code ec;  // a longer file was not read: ask for its size
  const std::uintmax_t groesse = r.ok() ? bild.size() : std::filesystem::file_size(file, ec);
  return fileStatus(FileStatus::kWrongLength, file,
                    std::to_string(groesse) + " bytes instead of " + std::to_string(kTabLaenge));
}

TableFileStatus writeTableFile(const std::filesystem::path& file, std::string_view image) {
  if (image.size() != kTabLaenge)
    return fileStatus(FileStatus::kWrongLength, file,
                      "the table image has " + std::to_string(image.size()) + " bytes instead of " +
                          std::to_string(kTabLaenge));
  return replaceFile(file, image);
}

TableFileStatus writeTableHeader(const std::filesystem::path& file, std::string_view image) {
  if (image.size() < kTabKopfLaenge) return fileStatus(FileStatus::kWrongLength, file, "no table header in memory");
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
  const bool ganz = err == 0 && S_ISREG(st.st_mode) && static_cast<std::size_t>(st.st_size) == kTabLaenge;
  std::size_t n = 0;
  while (err == 0 && ganz && n < kTabKopfLaenge) {
    const ssize_t w = ::pwrite(fd, image.data() + n, kTabKopfLaenge - n, static_cast<off_t>(n));
    if (w < 0 && errno == EINTR) continue;
    if (w <= 0) err = w < 0 ? errno : EIO;
    else n += static_cast<std::size_t>(w);
  }
  if (::close(fd) != 0 && err == 0) err = errno;
  if (err != 0) return fileStatus(FileStatus::kError, file, "cannot write the table header", err);
  if (!ganz) return fileStatus(FileStatus::kWrongLength, file, "not a whole table file; header not written");
  return {};
}

}  // namespace welvaro
