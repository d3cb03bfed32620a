// Places by name: a list of places, most populous first, searched the way
// a user types a name - without regard to case or accents ("munch" finds
// München, "koln" Köln), apostrophes and points left out ("Xian" finds
// Xi'an, "Ndjamena" N'Djamena, "Washington DC" Washington, D.C.), hyphens
// read as blanks ("Saint-Petersburg" finds Saint Petersburg).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace welvaro {

/// The search form of a name: UTF-8 text in lower case with the accents
/// taken off Latin letters (ä a, ł l, ß ss, æ ae, ə a ...), apostrophes and
/// points left out (a word begins after them, so "an" is a word of Xi'an),
/// every other mark that is not a letter or digit (hyphen, comma, brackets,
/// blanks) read as one blank between words, no blank at either end. With `umlautE` the German umlauts become ae, oe, ue, as
/// written without them ("Muenchen"). Characters of other scripts stay as
/// they are; each byte that is not UTF-8 becomes U+FFFD. The search form of
/// a search form is itself.
std::string searchForm(std::string_view name, bool umlautE = false);

/// One place: its names (the first is its own, further ones are names it
/// also goes by, such as München for Munich), its country (ISO code) and
/// position in degrees, north and east positive.
struct PlaceEntry {
  std::vector<std::string> names;
  std::string country;
  double lat = 0;
  double lon = 0;
  std::uint32_t population = 0;  ///< inhabitants; 0 when the list does not say
};

/// A place found for a name.
struct Match {
  enum class Kind : std::uint8_t {
    Exact,   ///< the whole name
    Prefix,  ///< the beginning of the name
    Word,    ///< the beginning of a later word of the name ("peter" in Saint Petersburg)
  };
  Kind kind = Kind::Exact;
  std::size_t place = 0;  ///< number of the place in the list (0 = most populous)
  std::string name;     ///< the name that was found
  std::string country;
  double lat = 0;
  double lon = 0;
  std::uint32_t population = 0;  ///< inhabitants of the place; 0 when unknown
};

/// "München, DE (48.13743, 11.57549)": name, country and position.
std::string matchText(const Match& t);

/// A list of places with its search index.
class Gazetteer {
 public:
  Gazetteer() = default;
  /// The places in order of rank: the most populous first (fewer than 2^30
  /// names in all; the gazetteer file holds at most 8 million).
  explicit Gazetteer(std::vector<PlaceEntry> places);

  bool empty() const { return places_.empty(); }
  std::size_t size() const { return places_.size(); }
  const PlaceEntry& place(std::size_t i) const { return places_[i]; }

  /// Completion: the places whose name, or a word of it, begins with the
  /// typed text, at most `atMost`: first those whose whole name it is,
  /// then those whose name begins with it, then those with a later word
  /// beginning with it, each group by rank; every place once, with the
  /// best-fitting of its names (its own name first). A blank at the end of
  /// the typed text asks for the end of a word ("san " finds San José but
  /// not Sanaa). `country`, when not empty, keeps only places of that country
  /// (in any case).
  std::vector<Match> search(std::string_view typed, std::size_t atMost, std::string_view country = {}) const;

  /// The places one of whose names has the same search form as `name`, by
  /// rank, each once.
  std::vector<Match> exact(std::string_view name, std::string_view country = {}) const;

 private:
  // One name of a place in its search form (a name with umlauts also in its
  // form with ae, oe, ue).
  struct Name {
    std::uint32_t place;
    std::uint32_t number;  // which of the place's names
    std::string form;
  };
  // A word start in a name's search form: the index is sorted by the text
  // from there to the end of the name.
  struct Key {
    std::uint32_t name;
    std::uint32_t from;
  };
  std::string_view rest(const Key& k) const;
  Match match(std::uint32_t name, Match::Kind kind) const;

  std::vector<PlaceEntry> places_;
  std::vector<Name> names_;
  std::vector<Key> index_;
};

}  // namespace welvaro
