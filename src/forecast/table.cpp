#include "forecast/table.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <exception>
#include <memory>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <system_error>
#include <thread>
#include <vector>

#include "files/fileio.h"
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
  // Hours 1..24 and indices 2..31 lie inside the slice's bounds (0..24,
  // 0..32, both from 0): its plain storage is read without the index check.
  const auto& schicht = s.ErgFeld[0].v;
  for (std::size_t k = 2; k <= 31; ++k)
    for (std::size_t h = 1; h <= 24; ++h) block[n++] = static_cast<char>(tabByte(schicht[h].v[k]));
}

// Forecast to the grid point (X2, Y2) already set; when it fails, the same
// point moved 0.1 degree of latitude towards the equator, then away from it.
// X2 is set back to the grid latitude in every case. Returns 0 or the fault
// of the last attempt; `verschoben` tells whether the moved point served.
int prognoseAmPunkt(State& s, bool& verschoben) {
  const double breite = s.X2;
  verschoben = false;
  int rc = prgTageskorr(s);
  if (rc == 0) return 0;
  const double zumAequator = breite > 0 ? -0.1 : 0.1;
  for (const double schritt : {zumAequator, -zumAequator}) {
    s.X2 = breite + schritt;
    rc = prgTageskorr(s);
    if (rc == 0) break;
  }
  s.X2 = breite;
  verschoben = rc == 0;
  return rc;
}

// What became of one grid point.
struct PunktErgebnis {
  int rc = 0;
  bool verschoben = false;
};

// Grid point n (0..683, latitude index outermost): its forecast from the
// state `s`, its 720 bytes written at `block` ("no signal" when it failed:
// never the previous point's results).
PunktErgebnis gitterpunkt(State& s, int n, char* block) {
  s.X2 = tabBreite(n / kTabLaengen);
  s.Y2 = tabLaenge(n % kTabLaengen);
  PunktErgebnis e;
  e.rc = prognoseAmPunkt(s, e.verschoben);
  if (e.rc == 0) {
    std::array<char, kTabBlockLaenge> b{};
    blockAusErgFeld(s, b);
    std::memcpy(block, b.data(), b.size());
  } else {
    std::memset(block, 0, kTabBlockLaenge);
  }
  return e;
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

int tabThreadZahl() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(std::min(n, 8u));
}

int prgGenTabPlus(State& s, GenTabInfo* infoOut) { return prgGenTabPlus(s, tabThreadZahl(), infoOut); }

int prgGenTabPlus(State& s, int threads, GenTabInfo* infoOut) {
  std::string bild = tableHeader(s);
  bild.resize(kTabLaenge);
  char* bloecke = bild.data() + kTabKopfLaenge;
  std::vector<PunktErgebnis> ergebnis(kTabBloecke);

  // Every thread takes the next grid point not yet taken, with a state
  // record of its own (the model keeps all its working values there), so a
  // point's bytes do not depend on which thread computed it. The last point
  // is left to `s` after the others: the record ends as after the points in
  // order, holding the forecast of the last grid point.
  std::atomic<int> naechster{0};
  const auto arbeite = [&](State& w) {
    for (int n; (n = naechster.fetch_add(1, std::memory_order_relaxed)) < kTabBloecke - 1;)
      ergebnis[static_cast<std::size_t>(n)] = gitterpunkt(w, n, bloecke + n * kTabBlockLaenge);
  };
  // The copies are made before any thread starts: `s` changes as soon as
  // this thread computes its first point.
  std::vector<std::unique_ptr<State>> kopien;
  for (int t = 1; t < threads; ++t) kopien.push_back(std::make_unique<State>(s));
  std::vector<std::exception_ptr> fehler(kopien.size());
  {
    std::vector<std::jthread> helfer;
    for (std::size_t t = 0; t < kopien.size(); ++t)
      helfer.emplace_back([&, t] {
        try {
          arbeite(*kopien[t]);
        } catch (...) {
          fehler[t] = std::current_exception();
          naechster.store(kTabBloecke, std::memory_order_relaxed);
        }
      });
    arbeite(s);
  }
  for (const std::exception_ptr& f : fehler)
    if (f) std::rethrow_exception(f);
  ergebnis.back() = gitterpunkt(s, kTabBloecke - 1, bloecke + (kTabBloecke - 1) * kTabBlockLaenge);

  GenTabInfo info;
  for (int n = 0; n < kTabBloecke; ++n) {
    const PunktErgebnis& e = ergebnis[static_cast<std::size_t>(n)];
    if (e.verschoben) ++info.verschoben;
    if (e.rc == 0) continue;
    if (info.gefuellt++ == 0) {
      info.ersterFehler = e.rc;
      info.fehlerBreite = n / kTabLaengen;
      info.fehlerLaenge = n % kTabLaengen;
    }
  }
  s.TabText = std::move(bild);
  if (infoOut) *infoOut = info;
  return info.ersterFehler;
}

PegelTerme pegelTerme() {
  PegelTerme t{};
  for (int f = 1; f <= 30; ++f) t[static_cast<std::size_t>(f)] = pegelTerm(f);
  return t;
}

void tabBlockLesen(State& s, int i, int j, const unsigned char* block, const PegelTerme& terme) {
  auto& feld = s.Weltfeld[i][j];
  auto& pegel = s.Weltpegel[i][j];
  const unsigned char* p = block;
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

void tabKopfBehalten(State& s) {
  s.TabText.resize(kTabKopfLaenge, '.');
  s.TabText.shrink_to_fit();
  s.TabMonat = s.TabText.substr(0, 2);
  s.TabTag = s.TabText.substr(3, 3);
}

bool prgTabPlus(State& s) {
  if (s.TabText.size() != kTabLaenge) return false;
  const PegelTerme terme = pegelTerme();  // the level term of each frequency, formed once
  const auto* p = reinterpret_cast<const unsigned char*>(s.TabText.data()) + kTabKopfLaenge;
  for (int i = 0; i < kTabBreiten; ++i)
    for (int j = 0; j < kTabLaengen; ++j, p += kTabBlockLaenge) tabBlockLesen(s, i, j, p, terme);
  tabKopfBehalten(s);
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
