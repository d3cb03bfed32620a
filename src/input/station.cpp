#include "input/station.h"

#include <memory>

#include <charconv>

#include "files/gazetteer.h"
#include "files/places.h"
#include "state/locator.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

bool asciiBuchstabe(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The shortest decimal that gives the single back: the number its file holds.
double kurzeDezimalzahl(float f) {
  char buf[32];
  const auto ende = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = 0;
  std::from_chars(buf, ende, d);
  return static_cast<float>(d) == f ? d : f;
}

// "Paris, US" -> name "Paris", country "US"; otherwise the whole text is the name.
void trenneLand(std::string_view text, std::string_view& name, std::string_view& land) {
  name = text;
  land = {};
  const auto komma = text.rfind(',');
  if (komma == std::string_view::npos) return;
  const std::string_view cc = ohneRand(text.substr(komma + 1));
  if (cc.size() != 2 || !asciiBuchstabe(cc[0]) || !asciiBuchstabe(cc[1])) return;
  name = ohneRand(text.substr(0, komma));
  land = cc;
}

StationsOrt gefunden(const Treffer& t) {
  StationsOrt r;
  r.art = StationsOrt::Art::Gefunden;
  r.breite = t.breite;
  r.laenge = t.laenge;
  r.name = t.name;
  return r;
}

StationsOrt mehrdeutig(std::string_view name, std::vector<Treffer> alle) {
  StationsOrt r;
  r.art = StationsOrt::Art::Mehrdeutig;
  r.kandidatenZahl = alle.size();
  if (alle.size() > kKandidatenMax) alle.resize(kKandidatenMax);
  r.kandidaten = std::move(alle);
  r.meldung = "'" + std::string(name) + "' fits " + std::to_string(r.kandidatenZahl) + " places";
  return r;
}

}  // namespace

Gazetteer ortslistenGazetteer(const State& s) {
  std::vector<Ortseintrag> orte;
  const int zahl = static_cast<int>(s.OrtZahl);
  for (int g = 1; g <= zahl; ++g)
    orte.push_back({{s.OrtName[g]}, s.OrtKennung[g], kurzeDezimalzahl(s.OrtBreite[g]), kurzeDezimalzahl(s.OrtLaenge[g])});
  return Gazetteer(std::move(orte));
}

StationsOrt resolveStation(std::string_view text, const Gazetteer& ortsliste, const Gazetteer& orte,
                           bool eindeutigerAnfang) {
  const std::string_view t = ohneRand(text);
  if (istLocatorVersuch(t)) {
    const LocatorLesung l = leseLocator(t);
    StationsOrt r;
    r.art = l.ok() ? StationsOrt::Art::Gefunden : StationsOrt::Art::KeinLocator;
    r.breite = l.breite;
    r.laenge = l.laenge;
    r.meldung = l.fehler;
    return r;
  }
  std::string_view name, land;
  trenneLand(t, name, land);
  // The gazetteer is searched for the candidates; without it, the place list.
  const Gazetteer& suchliste = orte.empty() ? ortsliste : orte;
  for (const Gazetteer* liste : {&ortsliste, &orte}) {
    std::vector<Treffer> g = liste->genau(name, land);
    if (g.size() == 1) return gefunden(g.front());
    if (g.size() > 1) {
      // The candidates are listed from the larger list when it knows more of them.
      if (liste != &suchliste) {
        std::vector<Treffer> alle = suchliste.genau(name, land);
        if (alle.size() >= g.size()) g = std::move(alle);
      }
      return mehrdeutig(name, std::move(g));
    }
  }
  std::vector<Treffer> alle;
  if (eindeutigerAnfang) alle = suchliste.suche(name, suchliste.size(), land);
  if (alle.size() == 1) return gefunden(alle.front());
  if (alle.size() > 1) return mehrdeutig(name, std::move(alle));
  StationsOrt r;
  r.meldung = "no place is named '" + std::string(name) + "'" + (land.empty() ? "" : " in " + std::string(land));
  return r;
}

std::string stationsMeldung(const StationsOrt& r) {
  std::string m = r.meldung;
  if (r.art == StationsOrt::Art::Unbekannt) m += " (give LAT,LON, a Maidenhead locator or a place name)";
  if (r.art == StationsOrt::Art::Mehrdeutig) {
    m += "; name one as NAME, CC or give LAT,LON:";
    for (const Treffer& t : r.kandidaten) m += "\n  " + trefferText(t);
    if (r.kandidatenZahl > r.kandidaten.size())
      m += "\n  ... and " + std::to_string(r.kandidatenZahl - r.kandidaten.size()) + " more";
  }
  return m;
}

bool zeichenErlaubtMitLocator(Feld f, int zeichen) {
  if ((f == Feld::Breite || f == Feld::Laenge) &&
      ((zeichen >= 'A' && zeichen <= 'X') || (zeichen >= 'a' && zeichen <= 'x')))
    return true;
  return zeichenErlaubt(f, zeichen);
}

bool textErlaubtMitLocator(Feld f, std::string_view text) {
  return textErlaubt(text, [f](int c) { return zeichenErlaubtMitLocator(f, c); });
}

PositionsFeld lesePositionsfeld(Feld f, std::string_view text) {
  PositionsFeld p;
  if (istLocatorVersuch(text)) {
    const LocatorLesung l = leseLocator(text);
    if (!l.ok()) {
      p.art = PositionsFeld::Art::Falsch;
      p.meldung = l.fehler;
      return p;
    }
    p.art = PositionsFeld::Art::Locator;
    p.breite = l.breite;
    p.laenge = l.laenge;
    p.breiteText = NumberText(l.breite);
    p.laengeText = NumberText(l.laenge);
    return p;
  }
  if (text.empty()) return p;
  if (!imBereich(f, text)) {
    p.art = PositionsFeld::Art::Falsch;
    p.meldung = f == Feld::Breite ? "a latitude from -90 to 90, or a Maidenhead locator"
                                  : "a longitude from -180 to 180, or a Maidenhead locator";
    return p;
  }
  p.art = PositionsFeld::Art::Zahl;
  p.wert = ReadNumber(mitDezimalpunkt(text));
  return p;
}

std::string locatorZuFeldern(std::string_view breiteText, std::string_view laengeText) {
  const PositionsFeld b = lesePositionsfeld(Feld::Breite, breiteText);
  const PositionsFeld l = lesePositionsfeld(Feld::Laenge, laengeText);
  if (b.art == PositionsFeld::Art::Locator) return locatorVon(b.breite, b.laenge);
  if (l.art == PositionsFeld::Art::Locator) return locatorVon(l.breite, l.laenge);
  if (b.art == PositionsFeld::Art::Zahl && l.art == PositionsFeld::Art::Zahl) return locatorVon(b.wert, l.wert);
  return {};
}

std::vector<Treffer> ortsVorschlaege(std::string_view getippt, const Gazetteer& ortsliste, const Gazetteer& orte,
                                     std::size_t hoechstens) {
  return (orte.empty() ? ortsliste : orte).suche(getippt, hoechstens);
}

OrtsFelder ortsFelder(const Treffer& t) { return {t.name, NumberText(t.breite), NumberText(t.laenge)}; }

NameBeimOk nameBeimOk(std::string_view name, std::string_view nameBeimOeffnen, bool koordinatenWieBeimOeffnen,
                      const Gazetteer& ortsliste, const Gazetteer& orte) {
  NameBeimOk n;
  const std::string_view t = ohneRand(name);
  if (!koordinatenWieBeimOeffnen || t.empty() || t == ohneRand(nameBeimOeffnen)) return n;
  const StationsOrt r = resolveStation(t, ortsliste, orte, false);
  switch (r.art) {
    case StationsOrt::Art::Gefunden:
      n.art = NameBeimOk::Art::Position;
      n.felder = {r.name.empty() ? std::string(name) : r.name, NumberText(r.breite), NumberText(r.laenge)};
      break;
    case StationsOrt::Art::KeinLocator:
      n.art = NameBeimOk::Art::KeinLocator;
      break;
    case StationsOrt::Art::Mehrdeutig:
      n.art = NameBeimOk::Art::Mehrdeutig;
      n.kandidaten = r.kandidaten;
      break;
    case StationsOrt::Art::Unbekannt:
      break;
  }
  return n;
}

Ortsverzeichnis ortsverzeichnis(const State& s, const ProgramDirs& dirs) {
  return {ortslistenGazetteer(s), readGazetteerFile(dataFile(dirs, kOrteDatei))};
}

Ortsverzeichnis ortsverzeichnisAusDateien(const ProgramDirs& dirs) {
  auto liste = std::make_unique<State>();
  readPlaceFile(*liste, dataFile(dirs, kOrtsvorgDatei));
  return ortsverzeichnis(*liste, dirs);
}

}  // namespace welvaro
