#include "state/place_search.h"

#include <algorithm>

#include "state/numtext.h"

namespace welvaro {

namespace {

// Base letters of the Latin letters U+00C0..U+024F and U+1E00..U+1EFF in
// lower case: the letter their canonical decomposition starts with, and for
// letters without one their usual transliteration (ß ss, æ ae, ø o, ł l,
// đ d, þ th, ı i, ə a). An empty entry keeps the character as it is.
constexpr const char* kLatinA[] = {
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i", // U+00C0
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "ss", // U+00D0
    "a", "a", "a", "a", "a", "a", "ae", "c", "e", "e", "e", "e", "i", "i", "i", "i", // U+00E0
    "d", "n", "o", "o", "o", "o", "o", "", "o", "u", "u", "u", "u", "y", "th", "y", // U+00F0
    "a", "a", "a", "a", "a", "a", "c", "c", "c", "c", "c", "c", "c", "c", "d", "d", // U+0100
    "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "g", "g", "g", "g", // U+0110
    "g", "g", "g", "g", "h", "h", "h", "h", "i", "i", "i", "i", "i", "i", "i", "i", // U+0120
    "i", "i", "ij", "ij", "j", "j", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l", // U+0130
    "l", "l", "l", "n", "n", "n", "n", "n", "n", "n", "ng", "ng", "o", "o", "o", "o", // U+0140
    "o", "o", "oe", "oe", "r", "r", "r", "r", "r", "r", "s", "s", "s", "s", "s", "s", // U+0150
    "s", "s", "t", "t", "t", "t", "t", "t", "u", "u", "u", "u", "u", "u", "u", "u", // U+0160
    "u", "u", "u", "u", "w", "w", "y", "y", "y", "z", "z", "z", "z", "z", "z", "s", // U+0170
    "b", "b", "", "", "", "", "o", "c", "c", "d", "d", "d", "d", "", "e", "a", // U+0180
    "e", "f", "f", "g", "g", "hv", "i", "i", "k", "k", "l", "", "m", "n", "n", "o", // U+0190
    "o", "o", "", "", "p", "p", "r", "s", "s", "", "", "t", "t", "t", "t", "u", // U+01A0
    "u", "", "v", "y", "y", "z", "z", "", "", "", "", "", "", "", "", "", // U+01B0
    "", "", "", "", "dz", "dz", "dz", "lj", "lj", "lj", "nj", "nj", "nj", "a", "a", "i", // U+01C0
    "i", "o", "o", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "e", "a", "a", // U+01D0
    "a", "a", "ae", "ae", "g", "g", "g", "g", "k", "k", "o", "o", "o", "o", "", "", // U+01E0
    "j", "dz", "dz", "dz", "g", "g", "hv", "", "n", "n", "a", "a", "ae", "ae", "o", "o", // U+01F0
    "a", "a", "a", "a", "e", "e", "e", "e", "i", "i", "i", "i", "o", "o", "o", "o", // U+0200
    "r", "r", "r", "r", "u", "u", "u", "u", "s", "s", "t", "t", "", "", "h", "h", // U+0210
    "n", "d", "ou", "ou", "z", "z", "a", "a", "e", "e", "o", "o", "o", "o", "o", "o", // U+0220
    "o", "o", "y", "y", "l", "n", "t", "j", "db", "qp", "a", "c", "c", "l", "t", "s", // U+0230
    "z", "", "", "b", "u", "", "e", "e", "j", "j", "q", "q", "r", "r", "y", "y", // U+0240
};

constexpr const char* kLatinExtra[] = {
    "a", "a", "b", "b", "b", "b", "b", "b", "c", "c", "d", "d", "d", "d", "d", "d", // U+1E00
    "d", "d", "d", "d", "e", "e", "e", "e", "e", "e", "e", "e", "e", "e", "f", "f", // U+1E10
    "g", "g", "h", "h", "h", "h", "h", "h", "h", "h", "h", "h", "i", "i", "i", "i", // U+1E20
    "k", "k", "k", "k", "k", "k", "l", "l", "l", "l", "l", "l", "l", "l", "m", "m", // U+1E30
    "m", "m", "m", "m", "n", "n", "n", "n", "n", "n", "n", "n", "o", "o", "o", "o", // U+1E40
    "o", "o", "o", "o", "p", "p", "p", "p", "r", "r", "r", "r", "r", "r", "r", "r", // U+1E50
    "s", "s", "s", "s", "s", "s", "s", "s", "s", "s", "t", "t", "t", "t", "t", "t", // U+1E60
    "t", "t", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "v", "v", "v", "v", // U+1E70
    "w", "w", "w", "w", "w", "w", "w", "w", "w", "w", "x", "x", "x", "x", "y", "y", // U+1E80
    "z", "z", "z", "z", "z", "z", "h", "t", "w", "y", "a", "s", "s", "s", "ss", "d", // U+1E90
    "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", "a", // U+1EA0
    "a", "a", "a", "a", "a", "a", "a", "a", "e", "e", "e", "e", "e", "e", "e", "e", // U+1EB0
    "e", "e", "e", "e", "e", "e", "e", "e", "i", "i", "i", "i", "o", "o", "o", "o", // U+1EC0
    "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", "o", // U+1ED0
    "o", "o", "o", "o", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", "u", // U+1EE0
    "u", "u", "y", "y", "y", "y", "y", "y", "y", "y", "ll", "ll", "v", "v", "y", "y", // U+1EF0
};

// One character of a name as the search form treats it.
struct Char {
  enum class Kind { Text, Apostrophe, Separator, Drop } kind = Kind::Text;
  std::string_view text;  // Text: what goes into the search form
  std::size_t lon = 1;  // bytes of the name it takes
};

// Length of the UTF-8 sequence that starts with byte b, 0 when b cannot start one.
std::size_t continuationLength(unsigned char b) {
  if (b < 0x80) return 1;
  if (b >= 0xC2 && b <= 0xDF) return 2;
  if (b >= 0xE0 && b <= 0xEF) return 3;
  if (b >= 0xF0 && b <= 0xF4) return 4;
  return 0;
}

Char charAt(std::string_view t, std::size_t i, bool umlautE, char& lower) {
  const auto b = static_cast<unsigned char>(t[i]);
  Char z;
  if (b < 0x80) {
    if ((b >= 'a' && b <= 'z') || (b >= '0' && b <= '9')) {
      z.text = t.substr(i, 1);
    } else if (b >= 'A' && b <= 'Z') {
      lower = static_cast<char>(b - 'A' + 'a');
      z.text = std::string_view(&lower, 1);
    } else {
      // Points are left out like apostrophes: "D.C." is searched as "dc".
      z.kind = (b == '\'' || b == '`' || b == '.') ? Char::Kind::Apostrophe : Char::Kind::Separator;
    }
    return z;
  }
  std::size_t n = continuationLength(b);
  char32_t cp = b & (n == 2 ? 0x1F : n == 3 ? 0x0F : 0x07);
  for (std::size_t k = 1; k < n; ++k) {
    const auto f = i + k < t.size() ? static_cast<unsigned char>(t[i + k]) : 0;
    if ((f & 0xC0) != 0x80) n = 0;
    cp = (cp << 6) | (f & 0x3F);
  }
  if (n == 0 || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF) || (n == 3 && cp < 0x800) ||
      (n == 4 && cp < 0x10000)) {
    z.text = "\xEF\xBF\xBD";  // not UTF-8: the replacement character
    return z;
  }
  z.lon = n;
  z.text = t.substr(i, n);
  if (cp == 0xB4 || cp == 0x2B9 || cp == 0x2BB || cp == 0x2BC || cp == 0x2BE || cp == 0x2BF || cp == 0x2018 ||
      cp == 0x2019 || cp == 0x2032) {
    z.kind = Char::Kind::Apostrophe;
  } else if (cp >= 0x300 && cp <= 0x36F) {
    z.kind = Char::Kind::Drop;  // a combining accent
  } else if (umlautE && (cp == 0xC4 || cp == 0xE4)) {
    z.text = "ae";
  } else if (umlautE && (cp == 0xD6 || cp == 0xF6)) {
    z.text = "oe";
  } else if (umlautE && (cp == 0xDC || cp == 0xFC)) {
    z.text = "ue";
  } else if (cp >= 0xC0 && cp <= 0x24F) {
    if (*kLatinA[cp - 0xC0]) z.text = kLatinA[cp - 0xC0];
  } else if (cp >= 0x1E00 && cp <= 0x1EFF) {
    z.text = kLatinExtra[cp - 0x1E00];
  } else if ((cp >= 0x80 && cp <= 0xBF) || (cp >= 0x2000 && cp <= 0x206F) || cp == 0x3000) {
    z.kind = Char::Kind::Separator;  // blanks, dashes and punctuation
  }
  return z;
}

struct Form {
  std::string text;
  std::vector<std::uint32_t> starts;  // where the words begin
  bool separatorAtEnd = false;
};

Form fold(std::string_view name, bool umlautE) {
  Form f;
  bool separator = false, newWord = true;
  for (std::size_t i = 0; i < name.size();) {
    char lower = 0;
    const Char z = charAt(name, i, umlautE, lower);
    i += z.lon;
    f.separatorAtEnd = z.kind == Char::Kind::Separator;
    if (z.kind == Char::Kind::Separator) {
      separator = true;
    } else if (z.kind == Char::Kind::Apostrophe) {
      if (!f.text.empty() && !separator) newWord = true;  // Xi'an: "an" begins a word too
    } else if (z.kind == Char::Kind::Text) {
      if (separator && !f.text.empty()) {
        f.text += ' ';
        newWord = true;
      }
      separator = false;
      if (newWord) f.starts.push_back(static_cast<std::uint32_t>(f.text.size()));
      newWord = false;
      f.text += z.text;
    }
  }
  return f;
}

bool sameCountry(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto k = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    if (k(a[i]) != k(b[i])) return false;
  }
  return true;
}

}  // namespace

std::string searchForm(std::string_view name, bool umlautE) { return fold(name, umlautE).text; }

std::string matchText(const Match& t) {
  return t.name + (t.country.empty() ? "" : ", " + t.country) + " (" + PlainText(t.lat) + ", " + PlainText(t.lon) +
         ")";
}

Gazetteer::Gazetteer(std::vector<PlaceEntry> places) : places_(std::move(places)) {
  for (std::size_t o = 0; o < places_.size(); ++o) {
    const std::size_t first = names_.size();
    for (std::size_t n = 0; n < places_[o].names.size(); ++n) {
      for (bool umlautE : {false, true}) {
        Form f = fold(places_[o].names[n], umlautE);
        // Only new forms: a name without umlauts, or one the place already has.
        const bool already = std::any_of(names_.begin() + static_cast<std::ptrdiff_t>(first), names_.end(),
                                         [&](const Name& m) { return m.form == f.text; });
        if (f.text.empty() || already) continue;
        const auto nr = static_cast<std::uint32_t>(names_.size());
        names_.push_back({static_cast<std::uint32_t>(o), static_cast<std::uint32_t>(n), std::move(f.text)});
        for (std::uint32_t from : f.starts) index_.push_back({nr, from});
      }
    }
  }
  std::sort(index_.begin(), index_.end(),
            [&](const Key& a, const Key& b) { return rest(a) < rest(b); });
}

std::string_view Gazetteer::rest(const Key& k) const {
  return std::string_view(names_[k.name].form).substr(k.from);
}

Match Gazetteer::match(std::uint32_t name, Match::Kind kind) const {
  const Name& n = names_[name];
  const PlaceEntry& o = places_[n.place];
  return {kind, n.place, o.names[n.number], o.country, o.lat, o.lon, o.population};
}

std::vector<Match> Gazetteer::search(std::string_view typed, std::size_t atMost, std::string_view country) const {
  const Form q = fold(typed, false);
  if (q.text.empty() || atMost == 0) return {};
  // Sort key of a match: its kind, the rank of its place, the name.
  std::vector<std::uint64_t> found;
  auto it = std::lower_bound(index_.begin(), index_.end(), q.text,
                             [&](const Key& k, const std::string& t) { return rest(k) < t; });
  for (; it != index_.end(); ++it) {
    const std::string_view r = rest(*it);
    if (!r.starts_with(q.text)) break;
    if (q.separatorAtEnd && r.size() > q.text.size() && r[q.text.size()] != ' ') continue;
    const Name& n = names_[it->name];
    if (!country.empty() && !sameCountry(places_[n.place].country, country)) continue;
    const auto kind = it->from != 0 ? Match::Kind::Word
                                 : (r.size() == q.text.size() ? Match::Kind::Exact : Match::Kind::Prefix);
    found.push_back((static_cast<std::uint64_t>(kind) << 62) | (static_cast<std::uint64_t>(n.place) << 30) |
                       it->name);
  }
  if (found.empty()) return {};
  std::sort(found.begin(), found.end());
  // Each place once, by its best match: a place may match by several names.
  std::vector<Match> result;
  std::vector<bool> taken(places_.size());
  for (std::uint64_t g : found) {
    const auto name = static_cast<std::uint32_t>(g & ((1u << 30) - 1));
    const std::uint32_t place = names_[name].place;
    if (taken[place]) continue;
    taken[place] = true;
    result.push_back(match(name, static_cast<Match::Kind>(g >> 62)));
    if (result.size() == atMost) break;
  }
  return result;
}

std::vector<Match> Gazetteer::exact(std::string_view name, std::string_view country) const {
  // As suche's first group, without building the places that only begin so.
  const std::string q = fold(name, false).text;
  if (q.empty()) return {};
  std::vector<std::uint64_t> found;  // rank of the place, the name
  auto it = std::lower_bound(index_.begin(), index_.end(), q,
                             [&](const Key& k, const std::string& t) { return rest(k) < t; });
  for (; it != index_.end() && rest(*it) == q; ++it) {
    const Name& n = names_[it->name];
    if (it->from != 0 || (!country.empty() && !sameCountry(places_[n.place].country, country))) continue;
    found.push_back((static_cast<std::uint64_t>(n.place) << 30) | it->name);
  }
  std::sort(found.begin(), found.end());
  std::vector<Match> result;
  for (std::size_t i = 0; i < found.size(); ++i) {
    if (i > 0 && found[i] >> 30 == found[i - 1] >> 30) continue;  // each place once, by its first name
    result.push_back(match(static_cast<std::uint32_t>(found[i] & ((1u << 30) - 1)), Match::Kind::Exact));
  }
  return result;
}

}  // namespace welvaro
