#include "input/station.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include <charconv>

#include "files/gazetteer.h"
#include "input/place_names.h"
#include "state/locator.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

bool asciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The shortest decimal that gives the single back: the number its file holds.
double shortDecimal(float f) {
  char buf[32];
  const auto end = std::to_chars(buf, buf + sizeof buf, f).ptr;
  double d = 0;
  std::from_chars(buf, end, d);
  return static_cast<float>(d) == f ? d : f;
}

// "Paris, US" -> name "Paris", country "US"; otherwise the whole text is the name.
void splitCountry(std::string_view text, std::string_view& name, std::string_view& country) {
  name = text;
  country = {};
  const auto comma = text.rfind(',');
  if (comma == std::string_view::npos) return;
  const std::string_view cc = trimmed(text.substr(comma + 1));
  if (cc.size() != 2 || !asciiLetter(cc[0]) || !asciiLetter(cc[1])) return;
  name = trimmed(text.substr(0, comma));
  country = cc;
}

StationLookup found(const Match& t) {
  StationLookup r;
  r.kind = StationLookup::Kind::Found;
  r.lat = t.lat;
  r.lon = t.lon;
  r.name = t.name;
  r.country = t.country;
  return r;
}

// The place that several bearing the name were weighed for.
StationLookup chosenAmong(const PlaceCandidate& c, std::size_t among) {
  StationLookup r = found(c.place);
  r.takenAmong = among;
  return r;
}

std::vector<Match> placesOnly(const std::vector<PlaceCandidate>& k) {
  std::vector<Match> t;
  for (const PlaceCandidate& c : k) t.push_back(c.place);
  return t;
}

StationLookup ambiguous(std::string_view name, std::vector<Match> all) {
  StationLookup r;
  r.kind = StationLookup::Kind::Ambiguous;
  r.candidateCount = all.size();
  if (all.size() > kCandidatesMax) all.resize(kCandidatesMax);
  r.candidates = std::move(all);
  r.message = "'" + std::string(name) + "' fits " + std::to_string(r.candidateCount) + " places";
  return r;
}

}  // namespace

Gazetteer placeListGazetteer(const State& s) {
  std::vector<PlaceEntry> places;
  const int number = static_cast<int>(s.OrtZahl);
  for (int g = 1; g <= number; ++g)
    places.push_back({{s.OrtName[g]}, s.OrtKennung[g], shortDecimal(s.OrtBreite[g]), shortDecimal(s.OrtLaenge[g])});
  return Gazetteer(std::move(places));
}

StationLookup resolveStation(std::string_view text, const Gazetteer& placeList, const Gazetteer& places,
                           bool uniquePrefix) {
  const std::string_view t = trimmed(text);
  if (looksLikeLocator(t)) {
    const LocatorReading l = readLocator(t);
    StationLookup r;
    r.kind = l.ok() ? StationLookup::Kind::Found : StationLookup::Kind::BadLocator;
    r.lat = l.lat;
    r.lon = l.lon;
    r.message = l.error;
    return r;
  }
  std::string_view name, country;
  splitCountry(t, name, country);
  // The places bearing the whole name, in both lists: one, or one far more
  // populous than the next, is the place meant.
  const std::vector<std::string> spellings = sameNameSpellings(name);
  const std::vector<PlaceCandidate> whole = placesNamed(spellings, country, placeList, places, NameMatch::kWhole);
  if (whole.size() == 1) return found(whole.front().place);
  if (const PlaceCandidate* c = largestByFar(whole)) return chosenAmong(*c, whole.size());
  if (whole.size() > 1) {
    // Lists without populations (a gazetteer of the first layout): the
    // place list's only place of the name, as it always was.
    const bool withoutPopulation = std::none_of(whole.begin(), whole.end(), [](auto& c) { return c.place.population > 0; });
    const auto inList = std::count_if(whole.begin(), whole.end(), [](auto& c) { return c.inPlaceList; });
    if (withoutPopulation && inList == 1)
      return found(std::find_if(whole.begin(), whole.end(), [](auto& c) { return c.inPlaceList; })->place);
    return ambiguous(name, placesOnly(whole));
  }
  // Whole words of a longer name ("New York" of New York City and West New
  // York): the same rule.
  const std::vector<PlaceCandidate> words = placesNamed(spellings, country, placeList, places, NameMatch::kWholeWords);
  if (words.size() == 1) return found(words.front().place);
  if (const PlaceCandidate* c = largestByFar(words)) return chosenAmong(*c, words.size());
  // The gazetteer is searched for the beginnings; without it, the place list.
  const Gazetteer& searchList = places.empty() ? placeList : places;
  std::vector<Match> all;
  if (uniquePrefix) all = searchList.search(name, searchList.size(), country);
  if (all.size() == 1) return found(all.front());
  if (all.size() > 1) return ambiguous(name, std::move(all));
  StationLookup r;
  r.message = "no place is named '" + std::string(name) + "'" + (country.empty() ? "" : " in " + std::string(country));
  return r;
}

std::string takenNote(const StationLookup& r) {
  if (r.kind != StationLookup::Kind::Found || r.takenAmong < 2) return {};
  Match t;
  t.name = r.name;
  t.country = r.country;
  t.lat = r.lat;
  t.lon = r.lon;
  return "taken as " + matchText(t) + ", by far the largest of " + std::to_string(r.takenAmong) +
         " places of that name (name another as NAME, CC)";
}

std::string stationMessage(const StationLookup& r) {
  std::string m = r.message;
  if (r.kind == StationLookup::Kind::Unknown) m += " (give LAT,LON, a Maidenhead locator or a place name)";
  if (r.kind == StationLookup::Kind::Ambiguous) {
    m += "; name one as NAME, CC or give LAT,LON:";
    for (const Match& t : r.candidates) m += "\n  " + matchText(t);
    if (r.candidateCount > r.candidates.size())
      m += "\n  ... and " + std::to_string(r.candidateCount - r.candidates.size()) + " more";
  }
  return m;
}

bool charAllowedWithLocator(Field f, int character) {
  if ((f == Field::Latitude || f == Field::Longitude) &&
      ((character >= 'A' && character <= 'X') || (character >= 'a' && character <= 'x')))
    return true;
  return charAllowed(f, character);
}

bool textAllowedWithLocator(Field f, std::string_view text) {
  return textAllowed(text, [f](int c) { return charAllowedWithLocator(f, c); });
}

PositionBox readPositionBox(Field f, std::string_view text) {
  PositionBox p;
  if (looksLikeLocator(text)) {
    const LocatorReading l = readLocator(text);
    if (!l.ok()) {
      p.kind = PositionBox::Kind::Invalid;
      p.message = l.error;
      return p;
    }
    p.kind = PositionBox::Kind::Locator;
    p.lat = l.lat;
    p.lon = l.lon;
    p.latText = NumberText(l.lat);
    p.lonText = NumberText(l.lon);
    return p;
  }
  if (text.empty()) return p;
  if (!inRange(f, text)) {
    p.kind = PositionBox::Kind::Invalid;
    p.message = f == Field::Latitude ? "a latitude from -90 to 90, or a Maidenhead locator"
                                  : "a longitude from -180 to 180, or a Maidenhead locator";
    return p;
  }
  p.kind = PositionBox::Kind::Number;
  p.value = ReadNumber(withDecimalPoint(text));
  return p;
}

std::string locatorOfBoxes(std::string_view latText, std::string_view lonText) {
  const PositionBox b = readPositionBox(Field::Latitude, latText);
  const PositionBox l = readPositionBox(Field::Longitude, lonText);
  if (b.kind == PositionBox::Kind::Locator) return locatorOf(b.lat, b.lon);
  if (l.kind == PositionBox::Kind::Locator) return locatorOf(l.lat, l.lon);
  if (b.kind == PositionBox::Kind::Number && l.kind == PositionBox::Kind::Number) return locatorOf(b.value, l.value);
  return {};
}

std::vector<Match> placeSuggestions(std::string_view typed, const Gazetteer& placeList, const Gazetteer& places,
                                     std::size_t atMost) {
  return (places.empty() ? placeList : places).search(typed, atMost);
}

std::vector<std::string> suggestionTexts(const std::vector<Match>& matches, const Gazetteer& list,
                                         std::string_view nearFormat) {
  std::vector<std::string> out;
  for (const Match& m : matches) {
    std::string line = matchText(m);
    const bool twin = std::any_of(matches.begin(), matches.end(), [&](const Match& o) {
      return &o != &m && o.name == m.name && o.country == m.country;
    });
    if (twin) {
      // The nearest of the places ranked above it (more populous) with
      // another name; distances on the sphere, compared by their cosine.
      const double rad = 3.14159265358979 / 180;
      const double sa = std::sin(m.lat * rad), ca = std::cos(m.lat * rad);
      double best = -2;
      const PlaceEntry* nearest = nullptr;
      const std::size_t above = std::min(m.place, list.size());
      for (std::size_t i = 0; i < above; ++i) {
        const PlaceEntry& p = list.place(i);
        if (p.names.empty() || p.names.front() == m.name) continue;
        const double c = sa * std::sin(p.lat * rad) + ca * std::cos(p.lat * rad) * std::cos((p.lon - m.lon) * rad);
        if (c > best) {
          best = c;
          nearest = &p;
        }
      }
      if (nearest) {
        std::string near(nearFormat);
        if (const auto at = near.find("%1"); at != std::string::npos) near.replace(at, 2, nearest->names.front());
        line += " \xE2\x80\x93 " + near;
      }
    }
    out.push_back(std::move(line));
  }
  return out;
}

std::string nameAfterLocator(std::string_view nameBox, std::string_view nameAtOpening, std::string_view locator) {
  if (trimmed(nameBox) != trimmed(nameAtOpening)) return std::string(nameBox);
  std::string l(trimmed(locator));
  for (char& c : l)
    if ('a' <= c && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return l;
}

PlaceBoxes placeBoxes(const Match& t) { return {t.name, NumberText(t.lat), NumberText(t.lon)}; }

NameAtOk nameAtOk(std::string_view name, std::string_view nameAtOpening, bool coordinatesAsOpened,
                      const Gazetteer& placeList, const Gazetteer& places) {
  NameAtOk n;
  const std::string_view t = trimmed(name);
  if (!coordinatesAsOpened || t.empty() || t == trimmed(nameAtOpening)) return n;
  const StationLookup r = resolveStation(t, placeList, places, false);
  switch (r.kind) {
    case StationLookup::Kind::Found:
      n.kind = NameAtOk::Kind::Position;
      n.fields = {r.name.empty() ? std::string(name) : r.name, NumberText(r.lat), NumberText(r.lon)};
      if (r.takenAmong >= 2) {
        n.taken = matchText({Match::Kind::Exact, 0, r.name, r.country, r.lat, r.lon, 0});
        n.takenAmong = r.takenAmong;
      }
      break;
    case StationLookup::Kind::BadLocator:
      n.kind = NameAtOk::Kind::BadLocator;
      break;
    case StationLookup::Kind::Ambiguous:
      n.kind = NameAtOk::Kind::Ambiguous;
      n.candidates = r.candidates;
      break;
    case StationLookup::Kind::Unknown:
      break;
  }
  return n;
}

const DataFileStatus* PlaceIndex::broken() const {
  for (const DataFileStatus* st : {&placeListStatus, &gazetteerStatus})
    if (st->broken()) return st;
  return nullptr;
}

PlaceIndex placeIndex(const State& s, const ProgramDirs& dirs) {
  PlaceIndex v;
  v.placeList = placeListGazetteer(s);
  v.gazetteerStatus = loadGazetteer(dataFile(dirs, kGazetteerFile), v.places);
  return v;
}

PlaceIndex placeIndexFromFiles(const ProgramDirs& dirs) {
  auto list = std::make_unique<State>();
  const DataFileStatus st = loadPlaceList(*list, dataFile(dirs, kPlaceListFile));
  PlaceIndex v = placeIndex(*list, dirs);
  v.placeListStatus = st;
  return v;
}

}  // namespace welvaro
