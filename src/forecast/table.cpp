#include "forecast/table.h"


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
#include "state/level.h"
#include "state/numtext.h"

namespace welvaro {

double tabLat(int i) {
  if (i == 0) return -89.5;
  if (i == kTabLats - 1) return 89.5;
  return (i - 9) * 10.0;
}

float tabLon(int j) { return static_cast<float>((j - 18) * 10); }

namespace {

std::string twoDigits(int v) {
  std::string t = std::to_string(v);
  return t.size() < 2 ? std::string(2 - t.size(), '0') + t : t;
}

std::string threeDigits(int v) {
  std::string t = std::to_string(v);
  return t.size() < 3 ? std::string(3 - t.size(), '0') + t : t;
}

// Fills the 720 bytes of one grid block from ErgFeld slice 0: frequency
// index k = 2..31 (1..30 MHz), inside it hours 1..24.
void blockFromErgFeld(const State& s, std::array<char, kTabBlockLength>& block) {
  std::size_t n = 0;
  // Hours 1..24 and indices 2..31 lie inside the slice's bounds (0..24,
  // 0..32, both from 0): its plain storage is read without the index check.
  const auto& layer = s.ErgFeld[0].v;
  for (std::size_t k = 2; k <= 31; ++k)
    for (std::size_t h = 1; h <= 24; ++h) block[n++] = static_cast<char>(tabByte(layer[h].v[k]));
}

}  // namespace

int forecastAtPoint(State& s, bool& moved) {
  const double lat = s.X2;
  moved = false;
  int rc = prgTageskorr(s);
  if (rc == 0) return 0;
  const double towardsEquator = lat > 0 ? -0.1 : 0.1;
  for (const double step : {towardsEquator, -towardsEquator}) {
    s.X2 = lat + step;
    rc = prgTageskorr(s);
    if (rc == 0) break;
  }
  s.X2 = lat;
  moved = rc == 0;
  return rc;
}

namespace {

// What became of one grid point.
struct GridPointResult {
  int rc = 0;
  bool moved = false;
};

// Grid point n (0..683, latitude index outermost): its forecast from the
// state `s`, its 720 bytes written at `block` ("no signal" when it failed:
// never the previous point's results).
GridPointResult gridPoint(State& s, int n, char* block) {
  s.X2 = tabLat(n / kTabLons);
  s.Y2 = tabLon(n % kTabLons);
  GridPointResult e;
  e.rc = forecastAtPoint(s, e.moved);
  if (e.rc == 0) {
    std::array<char, kTabBlockLength> b{};
    blockFromErgFeld(s, b);
    std::memcpy(block, b.data(), b.size());
  } else {
    std::memset(block, 0, kTabBlockLength);
  }
  return e;
}

}  // namespace

std::string tableHeader(const State& s) {
  std::string k;
  k.reserve(kTabHeaderLength + 16);
  k += twoDigits(static_cast<int>(s.Monat));
  k += ':';
  k += threeDigits(dayOfYear(s.Jetzt));
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
  k.resize(kTabHeaderLength, '.');
  return k;
}

unsigned char tabByte(double field) {
  const double b = std::floor(field + 128);
  if (!(b > 0)) return 0;  // also a value that is not a number
  if (b > 255) return 255;
  return static_cast<unsigned char>(b);
}

namespace {

// The level term of f MHz (0 dB(uV/m) as a level). For whole megahertz it
// rounds, with any whole field strength added, exactly as the table's own
// form 45 - 20 x ln(f x 1000000) / 2.3025851 does (tested).
double levelTerm(int f) { return levelFromField(0, f); }

}  // namespace

int16 worldLevel(int f, int v) { return static_cast<int16>(RoundEven(levelTerm(f) + v)); }

int tabThreadCount() {
  const unsigned n = std::thread::hardware_concurrency();
  return n == 0 ? 1 : static_cast<int>(std::min(n, 8u));
}

int prgGenTabPlus(State& s, GenTabInfo* infoOut) { return prgGenTabPlus(s, tabThreadCount(), infoOut); }

int prgGenTabPlus(State& s, int threads, GenTabInfo* infoOut) {
  std::string picture = tableHeader(s);
  picture.resize(kTabLength);
  char* blocks = picture.data() + kTabHeaderLength;
  std::vector<GridPointResult> result(kTabBlocks);

  // Every thread takes the next grid point not yet taken, with a state
  // record of its own (the model keeps all its working values there), so a
  // point's bytes do not depend on which thread computed it. The last point
  // is left to `s` after the others: the record ends as after the points in
  // order, holding the forecast of the last grid point.
  std::atomic<int> nearest{0};
  const auto work = [&](State& w) {
    for (int n; (n = nearest.fetch_add(1, std::memory_order_relaxed)) < kTabBlocks - 1;)
      result[static_cast<std::size_t>(n)] = gridPoint(w, n, blocks + n * kTabBlockLength);
  };
  // The copies are made before any thread starts: `s` changes as soon as
  // this thread computes its first point.
  std::vector<std::unique_ptr<State>> copies;
  for (int t = 1; t < threads; ++t) copies.push_back(std::make_unique<State>(s));
  std::vector<std::exception_ptr> fault(copies.size());
  {
    std::vector<std::jthread> workers;
    for (std::size_t t = 0; t < copies.size(); ++t)
      workers.emplace_back([&, t] {
        try {
          work(*copies[t]);
        } catch (...) {
          fault[t] = std::current_exception();
          nearest.store(kTabBlocks, std::memory_order_relaxed);
        }
      });
    work(s);
  }
  for (const std::exception_ptr& f : fault)
    if (f) std::rethrow_exception(f);
  result.back() = gridPoint(s, kTabBlocks - 1, blocks + (kTabBlocks - 1) * kTabBlockLength);

  GenTabInfo info;
  for (int n = 0; n < kTabBlocks; ++n) {
    const GridPointResult& e = result[static_cast<std::size_t>(n)];
    if (e.moved) ++info.moved;
    if (e.rc == 0) continue;
    if (info.filled++ == 0) {
      info.firstFault = e.rc;
      info.faultLat = n / kTabLons;
      info.faultLon = n % kTabLons;
    }
  }
  s.TabText = std::move(picture);
  if (infoOut) *infoOut = info;
  return info.firstFault;
}

LevelTerms levelTerms() {
  LevelTerms t{};
  for (int f = 1; f <= 30; ++f) t[static_cast<std::size_t>(f)] = levelTerm(f);
  return t;
}

void readTabBlock(State& s, int i, int j, const unsigned char* block, const LevelTerms& terms) {
  auto& field = s.Weltfeld[i][j];
  auto& level = s.Weltpegel[i][j];
  const unsigned char* p = block;
  for (int f = 1; f <= 30; ++f) {
    const double term = terms[static_cast<std::size_t>(f)];
    for (int h = 1; h <= 24; ++h) {
      int v = static_cast<int>(*p++) - 128;
      if (v < -64) v = -64;
      if (v > 64) v = 64;
      field[f][h] = static_cast<int16>(v);
      level[f][h] = static_cast<int16>(RoundEven(term + v));
    }
  }
}

void keepTabHeader(State& s) {
  s.TabText.resize(kTabHeaderLength, '.');
  s.TabText.shrink_to_fit();
  s.TabMonat = s.TabText.substr(0, 2);
  s.TabTag = s.TabText.substr(3, 3);
}

bool prgTabPlus(State& s) {
  if (s.TabText.size() != kTabLength) return false;
  const LevelTerms terms = levelTerms();  // the level term of each frequency, formed once
  const auto* p = reinterpret_cast<const unsigned char*>(s.TabText.data()) + kTabHeaderLength;
  for (int i = 0; i < kTabLats; ++i)
    for (int j = 0; j < kTabLons; ++j, p += kTabBlockLength) readTabBlock(s, i, j, p, terms);
  keepTabHeader(s);
  return true;
}

}  // namespace welvaro
