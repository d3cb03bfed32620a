#include "forecast/table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cmath>
#include <cstring>

#include "forecast/tageskorr.h"
#include "state/arith.h"
#include "state/pegel.h"
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

// The level term of f MHz (0 dB(uV/m) as a level). For whole megahertz it
// rounds, with any whole field strength added, exactly as the table's own
// form 45 - 20 x ln(f x 1000000) / 2.3025851 does (tested).
double pegelTerm(int f) { return pegelAusFeld(0, f); }

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

namespace {

TableFileStatus fehler(TableFileStatus::Kind kind, const std::filesystem::path& file, const std::string& was,
                       int err = 0) {
  std::string m = file.string() + ": " + was;
  if (err != 0) m += ": " + std::string(std::strerror(err));
  return {kind, m};
}

// Closes a descriptor when it goes out of scope.
struct Datei {
  int fd = -1;
  ~Datei() {
    if (fd >= 0) ::close(fd);
  }
  int release() {
    int f = fd;
    fd = -1;
    return f;
  }
};

bool schreibeAlles(int fd, const char* data, std::size_t n, off_t offset) {
  while (n > 0) {
    const ssize_t w = ::pwrite(fd, data, n, offset);
    if (w < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += w;
    n -= static_cast<std::size_t>(w);
    offset += w;
  }
  return true;
}

bool leseAlles(int fd, char* data, std::size_t n) {
  off_t offset = 0;
  while (n > 0) {
    const ssize_t r = ::pread(fd, data, n, offset);
    if (r < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    if (r == 0) {
      errno = EIO;  // the file became shorter while it was read
      return false;
    }
    data += r;
    n -= static_cast<std::size_t>(r);
    offset += r;
  }
  return true;
}

}  // namespace

TableFileStatus readTableFile(const std::filesystem::path& file, std::string& image) {
  Datei d{::open(file.c_str(), O_RDONLY | O_CLOEXEC)};
  if (d.fd < 0) {
    const int err = errno;
    if (err == ENOENT) return fehler(TableFileStatus::kMissing, file, "no table file");
    return fehler(TableFileStatus::kError, file, "cannot open the table file", err);
  }
  struct stat st {};
  if (::fstat(d.fd, &st) != 0) return fehler(TableFileStatus::kError, file, "cannot read the table file", errno);
  if (!S_ISREG(st.st_mode)) return fehler(TableFileStatus::kError, file, "the table file is not a regular file");
  if (static_cast<std::size_t>(st.st_size) != kTabLaenge)
    return fehler(TableFileStatus::kWrongLength, file,
                  std::to_string(st.st_size) + " bytes instead of " + std::to_string(kTabLaenge));
  std::string bild(kTabLaenge, ' ');
  if (!leseAlles(d.fd, bild.data(), bild.size()))
    return fehler(TableFileStatus::kError, file, "cannot read the table file", errno);
  image.swap(bild);
  return {};
}

TableFileStatus writeTableFile(const std::filesystem::path& file, std::string_view image) {
  if (image.size() != kTabLaenge)
    return fehler(TableFileStatus::kWrongLength, file,
                  "the table image has " + std::to_string(image.size()) + " bytes instead of " +
                      std::to_string(kTabLaenge));
  std::string temp = file.string() + ".XXXXXX";
  Datei d{::mkostemp(temp.data(), O_CLOEXEC)};
  if (d.fd < 0) return fehler(TableFileStatus::kError, file, "cannot create a temporary table file", errno);
  auto verwerfen = [&](const char* was) {
    const int err = errno;
    ::close(d.release());
    ::unlink(temp.c_str());
    return fehler(TableFileStatus::kError, file, was, err);
  };
  if (::fchmod(d.fd, 0644) != 0) return verwerfen("cannot set the permissions of the table file");
  if (!schreibeAlles(d.fd, image.data(), image.size(), 0)) return verwerfen("cannot write the table file");
  if (::fsync(d.fd) != 0) return verwerfen("cannot write the table file");
  if (::close(d.release()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return fehler(TableFileStatus::kError, file, "cannot write the table file", err);
  }
  if (::rename(temp.c_str(), file.c_str()) != 0) {
    const int err = errno;
    ::unlink(temp.c_str());
    return fehler(TableFileStatus::kError, file, "cannot replace the table file", err);
  }
  return {};
}

TableFileStatus writeTableHeader(const std::filesystem::path& file, std::string_view image) {
  if (image.size() < kTabKopfLaenge)
    return fehler(TableFileStatus::kWrongLength, file, "no table header in memory");
  Datei d{::open(file.c_str(), O_WRONLY | O_CLOEXEC)};
  if (d.fd < 0) {
    const int err = errno;
    if (err == ENOENT) return fehler(TableFileStatus::kMissing, file, "no table file to update");
    return fehler(TableFileStatus::kError, file, "cannot open the table file", err);
  }
  struct stat st {};
  if (::fstat(d.fd, &st) != 0) return fehler(TableFileStatus::kError, file, "cannot read the table file", errno);
  if (!S_ISREG(st.st_mode) || static_cast<std::size_t>(st.st_size) != kTabLaenge)
    return fehler(TableFileStatus::kWrongLength, file, "not a whole table file; header not written");
  if (!schreibeAlles(d.fd, image.data(), kTabKopfLaenge, 0))
    return fehler(TableFileStatus::kError, file, "cannot write the table header", errno);
  if (::close(d.release()) != 0) return fehler(TableFileStatus::kError, file, "cannot write the table header", errno);
  return {};
}

}  // namespace welvaro
