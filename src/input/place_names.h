// Names people type for a place, and the place they mean.
//
// A name is looked up in the place list (Ortsvorg.txt, the places the map
// names) and in the gazetteer (Orte.dat) together. The same place in both
// (same country, positions within kSamePlaceDegrees) counts once, with the
// place list's name and position and the gazetteer's population. When one
// of the places bearing a name has at least kLargerByFar times the
// inhabitants of the next, the name means that one ("Paris" is the
// capital, "St. Petersburg" the Russian city, "New York" New York City);
// otherwise the user is asked.
//
// Common spellings of the same name count as one, word by word (the table
// kSameSpellings):
//   St, Saint, Sankt          (St. Petersburg, Saint Petersburg, Sankt Petersburg)
//   Ste, Sainte
//   Mt, Mount                 (Mt. Vernon, Mount Vernon)
//   Ft, Fort                  (Ft. Worth, Fort Worth)
//   Moscow, Moskva, Moskau
//   Kyiv, Kiev, Kiew
// Words are compared in their search form (state/ortsuche.h): case,
// accents, points and hyphens do not count.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "state/place_search.h"

namespace welvaro {

/// How much more populous the place a name means must be than the next
/// place of that name.
inline constexpr std::uint64_t kLargerByFar = 10;
/// Two entries of the two lists with the same country whose positions
/// differ by no more than this in latitude and longitude are one place.
inline constexpr double kSamePlaceDegrees = 0.05;

/// The search forms of `name` with every word of the table replaced by
/// each of its spellings; the form of `name` itself first. At most 27.
std::vector<std::string> sameNameSpellings(std::string_view name);

/// A place a name was found for, and in which list.
struct PlaceCandidate {
  Match place;
  bool inPlaceList = false;  ///< the place list knows it (name and position are the list's)
};

/// What of a place's name the typed name must be.
enum class NameMatch {
  kWhole,       ///< the whole name (or another of its names)
  kWholeWords,  ///< whole words of it, from its first word or a later one ("New York" in West New York)
};

/// The places of both lists that bear `name` in one of its spellings
/// (sameNameSpellings), of country `country` when one is given; each place
/// once, the most populous first (places of unknown population last, the
/// place list's before the gazetteer's, each list in its order).
std::vector<PlaceCandidate> placesNamed(std::string_view name, std::string_view country, const Gazetteer& placeList,
                                        const Gazetteer& gazetteer, NameMatch match);
/// The same for the spellings sameNameSpellings gave.
std::vector<PlaceCandidate> placesNamed(const std::vector<std::string>& spellings, std::string_view country,
                                        const Gazetteer& placeList, const Gazetteer& gazetteer, NameMatch match);

/// The first of `candidates` (as placesNamed orders them) when it has at
/// least kLargerByFar times the inhabitants of the second; none when there
/// are fewer than two or a population is not known.
const PlaceCandidate* largestByFar(const std::vector<PlaceCandidate>& candidates);

}  // namespace welvaro
