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

FUZZ_UNTRACED bool enthaelt(const std::string& name, const std::string& form) {
  return suchform(name).find(form) != std::string::npos || suchform(name, true).find(form) != std::string::npos;
}

FUZZ_UNTRACED std::string grossOhneRand(std::string_view t) {
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
  const std::string_view alles(reinterpret_cast<const char*>(data), size);
  const std::size_t n = std::min<std::size_t>(data[0] % 48, size - 1);
  const std::string getippt(alles.substr(1, n));
  const std::string_view datei = alles.substr(1 + n);

  // The file: all or nothing, and what was read is written back unchanged.
  static MemFile* mem = new MemFile;
  mem->set(datei);
  std::string problem;
  const auto orte = parseGazetteer(datei, &problem);
  const Gazetteer g = readGazetteerFile(mem->path());
  FUZZ_CHECK(orte.has_value() == problem.empty());
  FUZZ_CHECK(g.size() == (orte ? orte->size() : 0));
  if (orte) {
    FUZZ_CHECK(gazetteerBytes(*orte) == datei);
    for (const Ortseintrag& o : *orte) {
      FUZZ_CHECK(!o.namen.empty() && o.namen.size() <= 8 && o.land.size() == 2);
      FUZZ_CHECK(o.breite >= -90 && o.breite <= 90 && o.laenge >= -180 && o.laenge <= 180);
      for (const std::string& name : o.namen) FUZZ_CHECK(!name.empty() && istUtf8(name));
    }
  }

  // The search form is its own search form.
  const std::string form = suchform(getippt);
  FUZZ_CHECK(suchform(form) == form);

  // Completion: at most ten, each place once, in the order of the kinds,
  // every one holding the typed text in one of its search forms.
  const auto treffer = g.suche(getippt, kKandidatenMax);
  FUZZ_CHECK(treffer.size() <= kKandidatenMax);
  for (std::size_t i = 0; i < treffer.size(); ++i) {
    FUZZ_CHECK(treffer[i].ort < g.size() && enthaelt(treffer[i].name, form));
    for (std::size_t k = 0; k < i; ++k) FUZZ_CHECK(treffer[k].ort != treffer[i].ort && treffer[k].art <= treffer[i].art);
  }
  for (const Treffer& t : g.genau(getippt))
    FUZZ_CHECK(t.art == Treffer::Art::Genau && (suchform(t.name) == form || suchform(t.name, true) == form));

  // The station: found within the earth, or a message.
  const StationsOrt r = resolveStation(getippt, g, g);
  if (r.art == StationsOrt::Art::Gefunden)
    FUZZ_CHECK(r.breite >= -90 && r.breite <= 90 && r.laenge >= -180 && r.laenge <= 180 && r.meldung.empty());
  else
    FUZZ_CHECK(!stationsMeldung(r).empty() && r.kandidaten.size() <= kKandidatenMax);

  // A locator read gives itself back, in capitals.
  const LocatorLesung l = leseLocator(getippt);
  if (l.ok()) {
    const std::string soll = grossOhneRand(getippt);
    FUZZ_CHECK(locatorAusEinheiten((l.laenge + 180) * 22.5, (l.breite + 90) * 22.5, static_cast<int>(soll.size())) ==
               soll);
  }
  return 0;
}
