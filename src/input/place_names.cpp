#include "input/place_names.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace welvaro {

namespace {

// Spellings of one word that name the same; compared in search form.
constexpr std::array<std::array<std::string_view, 3>, 6> kSameSpellings{{
    {"st", "saint", "sankt"},
    {"ste", "sainte", ""},
    {"mt", "mount", ""},
    {"ft", "fort", ""},
    {"moscow", "moskva", "moskau"},
    {"kyiv", "kiev", "kiew"},
}};

constexpr std::size_t kSpellingsMax = 27;

const std::array<std::string_view, 3>* spellingsOf(std::string_view word) {
  for (const auto& group : kSameSpellings)
    if (std::find(group.begin(), group.end(), word) != group.end()) return &group;
  return nullptr;
}

bool sameCountry(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if ((a[i] & ~0x20) != (b[i] & ~0x20)) return false;
  return true;
}

bool samePlace(const Match& a, const Match& b) {
  return sameCountry(a.country, b.country) && std::fabs(a.lat - b.lat) <= kSamePlaceDegrees &&
         std::fabs(a.lon - b.lon) <= kSamePlaceDegrees;
}

// The places of one list for one spelling.
std::vector<Match> found(const Gazetteer& list, const std::string& form, std::string_view country, NameMatch match) {
  if (match == NameMatch::kWhole) return list.exact(form, country);
  // A blank after the typed words asks for the end of a word.
  return list.search(form + " ", list.size(), country);
}

}  // namespace

std::vector<std::string> sameNameSpellings(std::string_view name) {
  const std::string form = searchForm(name);
  std::vector<std::string> forms{std::string()};
  for (std::size_t start = 0; start < form.size();) {
    std::size_t end = form.find(' ', start);
    if (end == std::string::npos) end = form.size();
    const std::string_view word = std::string_view(form).substr(start, end - start);
    // The word as typed first, then its other spellings.
    std::vector<std::string_view> spellings{word};
    if (const auto* group = spellingsOf(word))
      for (const std::string_view other : *group)
        if (!other.empty() && other != word) spellings.push_back(other);
    std::vector<std::string> longer;
    for (const std::string& f : forms)
      for (const std::string_view s : spellings)
        if (longer.size() < kSpellingsMax) longer.push_back(f + (start == 0 ? "" : " ") + std::string(s));
    forms = std::move(longer);
    start = end + 1;
  }
  return forms;
}

std::vector<PlaceCandidate> placesNamed(std::string_view name, std::string_view country, const Gazetteer& placeList,
                                        const Gazetteer& gazetteer, NameMatch match) {
  return placesNamed(sameNameSpellings(name), country, placeList, gazetteer, match);
}

std::vector<PlaceCandidate> placesNamed(const std::vector<std::string>& forms, std::string_view country,
                                        const Gazetteer& placeList, const Gazetteer& gazetteer, NameMatch match) {
  std::vector<PlaceCandidate> out;
  if (forms.empty() || forms.front().empty()) return out;
  for (const Gazetteer* list : {&placeList, &gazetteer}) {
    if (list->empty()) continue;
    const bool inPlaceList = list == &placeList;
    const std::size_t fromThisList = out.size();
    for (const std::string& form : forms) {
      for (Match& t : found(*list, form, country, match)) {
        // The same place of this list by another spelling.
        const auto same = std::find_if(out.begin() + static_cast<std::ptrdiff_t>(fromThisList), out.end(),
                                       [&](const PlaceCandidate& c) { return c.place.place == t.place; });
        if (same != out.end()) continue;
        if (!inPlaceList) {
          // The place list's entry of the same place takes its population.
          const auto known = std::find_if(out.begin(), out.begin() + static_cast<std::ptrdiff_t>(fromThisList),
                                          [&](const PlaceCandidate& c) { return samePlace(c.place, t); });
          if (known != out.begin() + static_cast<std::ptrdiff_t>(fromThisList)) {
            known->place.population = std::max(known->place.population, t.population);
            continue;
          }
        }
        out.push_back({std::move(t), inPlaceList});
      }
    }
  }
  std::stable_sort(out.begin(), out.end(), [](const PlaceCandidate& a, const PlaceCandidate& b) {
    return a.place.population > b.place.population;
  });
  return out;
}

const PlaceCandidate* largestByFar(const std::vector<PlaceCandidate>& candidates) {
  if (candidates.size() < 2) return nullptr;
  const std::uint64_t first = candidates[0].place.population, second = candidates[1].place.population;
  if (second == 0 || first < kLargerByFar * second) return nullptr;
  return &candidates[0];
}

}  // namespace welvaro
