#include "forecast/availability.h"

#include <atomic>
#include <cstring>
#include <exception>
#include <memory>
#include <thread>
#include <vector>

#include "forecast/tageskorr.h"

namespace welvaro {

int availabilityIndex(double availability) {
  if (availability == 10) return 0;
  if (availability == 50) return 1;
  return 2;
}

namespace {

// The shared run: prgTageskorr with the three availabilities kept beside
// ErgFeld. True when all four came out.
bool sharedRun(State& s, int& rc) {
  s.AvailabilityRun = 1;
  s.AvailabilityFault = 0;
  rc = prgTageskorr(s);
  s.AvailabilityRun = 0;
  return rc == 0 && s.AvailabilityFault == 0;
}

}  // namespace

int forecastAvailabilities(State& s) {
  int rc = 0;
  if (sharedRun(s, rc)) return 0;
  // One availability failed where another did not: each on its own, then
  // the forecast at Iproz last, so that the record ends as prgTageskorr
  // leaves it.
  const double availability = s.Iproz;
  int first = 0;
  for (int a = 0; a < 3; ++a) {
    s.Iproz = kAvailabilities[static_cast<std::size_t>(a)];
    const int r = prgTageskorr(s);
    if (r == 0)
      s.AvailabilityResults[a][0] = s.ErgFeld[0];
    else if (first == 0)
      first = r;
  }
  s.Iproz = availability;
  rc = prgTageskorr(s);
  return rc != 0 ? rc : first;
}

namespace {

// What became of one grid point at each availability.
struct PointOutcome {
  std::array<int, 3> rc{};
  std::array<bool, 3> moved{};
};

// The 720 bytes of a grid block from slice 0 of `results` (ErgFeld or one
// of AvailabilityResults): 1..30 MHz (indices 2..31), inside them hours 1..24.
template <class Results>
void writeBlock(const Results& results, char* out) {
  const auto& slice = results[0].v;
  std::size_t n = 0;
  for (std::size_t k = 2; k <= 31; ++k)
    for (std::size_t h = 1; h <= 24; ++h) out[n++] = static_cast<char>(tabByte(slice[h].v[k]));
}

// Grid point n at the three availabilities into the blocks of `images`.
// As a table generation with that Iproz: when the forecast fails at the
// grid point the point is moved (forecastAtPoint), and when that fails too
// its block says "no signal".
PointOutcome gridPoint(State& w, int n, const std::array<char*, 3>& images) {
  w.X2 = tabLat(n / kTabLons);
  w.Y2 = tabLon(n % kTabLons);
  const std::size_t offset = static_cast<std::size_t>(n) * kTabBlockLength;
  PointOutcome p;
  int rc = 0;
  if (sharedRun(w, rc)) {
    for (int a = 0; a < 3; ++a) writeBlock(w.AvailabilityResults[a], images[static_cast<std::size_t>(a)] + offset);
    return p;
  }
  const double availability = w.Iproz;
  for (std::size_t a = 0; a < 3; ++a) {
    w.Iproz = kAvailabilities[a];
    bool moved = false;
    p.rc[a] = forecastAtPoint(w, moved);
    p.moved[a] = moved;
    if (p.rc[a] == 0)
      writeBlock(w.ErgFeld, images[a] + offset);
    else
      std::memset(images[a] + offset, 0, kTabBlockLength);
  }
  // The record as after the point at its own Iproz.
  w.Iproz = availability;
  bool moved = false;
  forecastAtPoint(w, moved);
  return p;
}

}  // namespace

int generateTableAndAvailabilities(State& s, GenTabInfo* info) {
  return generateTableAndAvailabilities(s, tabThreadCount(), info);
}

int generateTableAndAvailabilities(State& s, int threads, GenTabInfo* infoOut) {
  const double availability = s.Iproz;
  std::array<std::string, 3> images;
  for (std::size_t a = 0; a < 3; ++a) {
    s.Iproz = kAvailabilities[a];
    images[a] = tableHeader(s);
    images[a].resize(kTabLength);
  }
  s.Iproz = availability;
  const std::array<char*, 3> blocks = {images[0].data() + kTabHeaderLength, images[1].data() + kTabHeaderLength,
                                       images[2].data() + kTabHeaderLength};
  std::vector<PointOutcome> outcome(kTabBlocks);
  // The old images are not copied into the threads' records.
  for (auto& t : s.AvailabilityTables.v) std::string().swap(t);

  // Shared out as prgGenTabPlus shares its points: every thread takes the
  // next grid point with a record of its own; the last point is left to
  // `s`, so that the record ends holding its forecast.
  std::atomic<int> next{0};
  const auto work = [&](State& w) {
    for (int n; (n = next.fetch_add(1, std::memory_order_relaxed)) < kTabBlocks - 1;)
      outcome[static_cast<std::size_t>(n)] = gridPoint(w, n, blocks);
  };
  std::vector<std::unique_ptr<State>> copies;
  for (int t = 1; t < threads; ++t) copies.push_back(std::make_unique<State>(s));
  std::vector<std::exception_ptr> errors(copies.size());
  {
    std::vector<std::jthread> helpers;
    for (std::size_t t = 0; t < copies.size(); ++t)
      helpers.emplace_back([&, t] {
        try {
          work(*copies[t]);
        } catch (...) {
          errors[t] = std::current_exception();
          next.store(kTabBlocks, std::memory_order_relaxed);
        }
      });
    work(s);
  }
  for (const std::exception_ptr& e : errors)
    if (e) std::rethrow_exception(e);
  outcome.back() = gridPoint(s, kTabBlocks - 1, blocks);

  // The table at Iproz is the one of its availability under its own header.
  const std::size_t own = static_cast<std::size_t>(availabilityIndex(availability));
  GenTabInfo info;
  for (int n = 0; n < kTabBlocks; ++n) {
    const PointOutcome& p = outcome[static_cast<std::size_t>(n)];
    if (p.moved[own]) ++info.moved;
    if (p.rc[own] == 0) continue;
    if (info.filled++ == 0) {
      info.firstFault = p.rc[own];
      info.faultLat = n / kTabLons;
      info.faultLon = n % kTabLons;
    }
  }
  std::string table = tableHeader(s);
  table.append(images[own], kTabHeaderLength, std::string::npos);
  s.TabText = std::move(table);
  for (std::size_t a = 0; a < 3; ++a) s.AvailabilityTables[static_cast<int>(a)] = std::move(images[a]);
  if (infoOut) *infoOut = info;
  return info.firstFault;
}

bool availabilityTablesCurrent(State& s) {
  const double availability = s.Iproz;
  bool current = true;
  for (int a = 0; a < 3 && current; ++a) {
    const std::string& t = s.AvailabilityTables[a];
    s.Iproz = kAvailabilities[static_cast<std::size_t>(a)];
    current = t.size() == kTabLength && t.compare(0, kTabHeaderLength, tableHeader(s)) == 0;
  }
  s.Iproz = availability;
  return current;
}

}  // namespace welvaro
