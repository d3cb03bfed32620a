// The gazetteer "Orte.dat" from arbitrary bytes, searched with an arbitrary
// typed text: the reader takes all or nothing and writes back what it read
// byte for byte; completion, exact names and the station lookup keep their
// promises on whatever list the reader accepted; locators read back.
//
// Input: the first byte gives the length (mod 48) of the typed text that
// follows it; the rest is the file.
#include <cstdint>
#include <string>

#include "files/codepage.h"
#include "files/gazetteer.h"
#include "fuzz_check.h"
#include "state/locator.h"
#include "input/station.h"

using namespace welvaro;
using namespace welvaro::fuzz;

namespace {

FUZZ_UNTRACED bool contains(const std::string& name, const std::string& form) {
  return searchForm(name).find(form) != std::string::npos || searchForm(name, true).find(form) != std::string::npos;
}

FUZZ_UNTRACED std::string upperTrimmed(std::string_view t) {
  while (!t.empty() && (t.front() == ' ' || t.front() == '\t')) t.remove_prefix(1);
  while (!t.empty() && (t.back() == ' ' || t.back() == '\t')) t.remove_suffix(1);
  std::string g(t);
  for (char& c : g)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return g;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 1) return 0;
  const std::string_view everything(reinterpret_cast<const char*>(data), size);
  const std::size_t n = std::min<std::size_t>(data[0] % 48, size - 1);
  const std::string typed(everything.substr(1, n));
  const std::string_view file = everything.substr(1 + n);

  // The file: all or nothing, and what was read is written back unchanged.
  static MemFile* mem = new MemFile;
  mem->set(file);
  std::string problem;
  const auto places = parseGazetteer(file, &problem);
  const Gazetteer g = readGazetteerFile(mem->path());
  FUZZ_CHECK(places.has_value() == problem.empty());
  FUZZ_CHECK(g.size() == (places ? places->size() : 0));
  if (places) {
    FUZZ_CHECK(gazetteerBytes(*places) == file);
    for (const PlaceEntry& o : *places) {
      FUZZ_CHECK(!o.names.empty() && o.names.size() <= 8 && o.country.size() == 2);
      FUZZ_CHECK(o.lat >= -90 && o.lat <= 90 && o.lon >= -180 && o.lon <= 180);
      for (const std::string& name : o.names) FUZZ_CHECK(!name.empty() && isUtf8(name));
    }
  }

  // The search form is its own search form.
  const std::string form = searchForm(typed);
  FUZZ_CHECK(searchForm(form) == form);

  // Completion: at most ten, each place once, in the order of the kinds,
  // every one holding the typed text in one of its search forms.
  const auto match = g.search(typed, kCandidatesMax);
  FUZZ_CHECK(match.size() <= kCandidatesMax);
  for (std::size_t i = 0; i < match.size(); ++i) {
    FUZZ_CHECK(match[i].place < g.size() && contains(match[i].name, form));
    for (std::size_t k = 0; k < i; ++k) FUZZ_CHECK(match[k].place != match[i].place && match[k].kind <= match[i].kind);
  }
  for (const Match& t : g.exact(typed))
    FUZZ_CHECK(t.kind == Match::Kind::Exact && (searchForm(t.name) == form || searchForm(t.name, true) == form));

  // The station: found within the earth, or a message.
  const StationLookup r = resolveStation(typed, g, g);
  if (r.kind == StationLookup::Kind::Found)
    FUZZ_CHECK(r.lat >= -90 && r.lat <= 90 && r.lon >= -180 && r.lon <= 180 && r.message.empty());
  else
    FUZZ_CHECK(!stationMessage(r).empty() && r.candidates.size() <= kCandidatesMax);

  // A locator read gives itself back, in capitals.
  const LocatorReading l = readLocator(typed);
  if (l.ok()) {
    const std::string should = upperTrimmed(typed);
    FUZZ_CHECK(locatorFromUnits((l.lon + 180) * 22.5, (l.lat + 90) * 22.5, static_cast<int>(should.size())) ==
               should);
  }
  return 0;
}
