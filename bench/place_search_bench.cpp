// Searching the shipped gazetteer as a user types a name into a station
// dialog: one search per keystroke, for the prefixes of a few names and for
// the single letters that match the most places. Also the reading of the
// gazetteer file with the building of its index, done once.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "files/gazetteer.h"
#include "input/station.h"

namespace {

const std::filesystem::path kFile = std::filesystem::path(WELVARO_DATA_DIR) / welvaro::kGazetteerFile;

// Every keystroke of these names, as typed.
std::vector<std::string> keystrokes() {
  std::vector<std::string> t;
  for (const std::string name : {"Munchen", "Sankt Petersburg", "N'Djamena", "san jose", "Springfield, US",
                                 "washington dc", "Ouagadougou", "Xi'an"})
    for (std::size_t n = 1; n <= name.size(); ++n) t.push_back(name.substr(0, n));
  return t;
}

void BM_GazetteerRead(benchmark::State& st) {
  for (auto _ : st) {
    welvaro::Gazetteer g = welvaro::readGazetteerFile(kFile);
    if (g.size() < 20000) st.SkipWithError("no shipped gazetteer");
    benchmark::DoNotOptimize(g);
  }
}
BENCHMARK(BM_GazetteerRead)->Unit(benchmark::kMillisecond);

// Completion of one keystroke (the next of the names above in turn), ten places.
void BM_PlaceSearchKeystroke(benchmark::State& st) {
  const welvaro::Gazetteer g = welvaro::readGazetteerFile(kFile);
  const welvaro::Gazetteer placeList;
  const auto t = keystrokes();
  std::size_t i = 0;
  for (auto _ : st) {
    benchmark::DoNotOptimize(welvaro::placeSuggestions(t[i], placeList, g));
    i = (i + 1) % t.size();
  }
}
BENCHMARK(BM_PlaceSearchKeystroke)->Unit(benchmark::kMicrosecond);

// The first keystroke of a name: one letter, thousands of places begin with it.
void BM_PlaceSearchOneLetter(benchmark::State& st) {
  const welvaro::Gazetteer g = welvaro::readGazetteerFile(kFile);
  const std::string typed(1, static_cast<char>('a' + st.range(0)));
  for (auto _ : st) benchmark::DoNotOptimize(g.search(typed, welvaro::kCandidatesMax));
  st.SetLabel(typed);
}
BENCHMARK(BM_PlaceSearchOneLetter)->Arg('s' - 'a')->Arg('b' - 'a')->Arg('m' - 'a')->Arg('a' - 'a')
    ->Unit(benchmark::kMicrosecond);

// welvaro-cli resolving a name: the unique beginning counts all places that fit.
void BM_StationFromName(benchmark::State& st) {
  const welvaro::Gazetteer g = welvaro::readGazetteerFile(kFile);
  const welvaro::Gazetteer placeList;
  for (auto _ : st) benchmark::DoNotOptimize(welvaro::resolveStation("Sprin", placeList, g));
}
BENCHMARK(BM_StationFromName)->Unit(benchmark::kMicrosecond);

}  // namespace
