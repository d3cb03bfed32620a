#include "files/gazetteer.h"

#include <cmath>
#include <iterator>
#include <memory>
#include <system_error>

#include "files/codepage.h"
#include "files/datafiles.h"
#include "files/places.h"
#include "state/locator.h"

namespace welvaro {

namespace {

constexpr std::string_view kMark = "WelvOrte";
constexpr unsigned char kVersion = 1;                // without populations
constexpr unsigned char kVersionPopulation = 2;       // with them
constexpr std::size_t kNamesMax = 8;
constexpr double kParts = 100000;  // parts of a degree in the file
// Fewest bytes a place takes: country, two positions, one name of one byte.
constexpr std::size_t kPlaceMinBytes = 2 + 4 + 4 + 1 + 1 + 1;

bool upperCase(std::string_view t) {
  return t.size() == 2 && t[0] >= 'A' && t[0] <= 'Z' && t[1] >= 'A' && t[1] <= 'Z';
}

bool withoutControlChars(std::string_view t) {
  for (char c : t)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

// Reads the bytes front to back; every read checks that enough are left.
class Reader {
 public:
  explicit Reader(std::string_view b) : b_(b) {}
  std::size_t remaining() const { return b_.size() - pos_; }
  bool text(std::size_t n, std::string_view& out) {
    if (remaining() < n) return false;
    out = b_.substr(pos_, n);
    pos_ += n;
    return true;
  }
  bool byte(unsigned char& out) {
    std::string_view t;
    if (!text(1, t)) return false;
    out = static_cast<unsigned char>(t[0]);
    return true;
  }
  bool u32(std::uint32_t& out) {
    std::string_view t;
    if (!text(4, t)) return false;
    out = 0;
    for (int i = 3; i >= 0; --i) out = (out << 8) | static_cast<unsigned char>(t[static_cast<std::size_t>(i)]);
    return true;
  }
  bool i32(std::int32_t& out) {
    std::uint32_t u = 0;
    if (!u32(u)) return false;
    out = static_cast<std::int32_t>(u);
    return true;
  }

 private:
  std::string_view b_;
  std::size_t pos_ = 0;
};

void appendU32(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::optional<std::vector<PlaceEntry>> parseGazetteer(std::string_view bytes, std::string* problem) {
  auto invalid = [&](const std::string& why) -> std::optional<std::vector<PlaceEntry>> {
    if (problem) *problem = why;
    return std::nullopt;
  };
  Reader l(bytes);
  std::string_view mark;
  unsigned char version = 0;
  std::uint32_t number = 0;
  if (!l.text(kMark.size(), mark) || mark != kMark) return invalid("not a gazetteer file");
  if (!l.byte(version) || (version != kVersion && version != kVersionPopulation))
    return invalid("unknown gazetteer version");
  const bool inhabitants = version == kVersionPopulation;
  if (!l.u32(number)) return invalid("cut short in its header");
  if (number > kGazetteerMax || number > l.remaining() / (kPlaceMinBytes + (inhabitants ? 4 : 0)))
    return invalid(std::to_string(number) + " places cannot be in " + std::to_string(bytes.size()) + " bytes");
  if (inhabitants && number == 0) return invalid("no places");
  std::vector<PlaceEntry> places;
  places.reserve(number);
  for (std::uint32_t i = 0; i < number; ++i) {
    const std::string where = "place " + std::to_string(i + 1) + ": ";
    PlaceEntry o;
    std::string_view country;
    std::int32_t lat = 0, lon = 0;
    unsigned char names = 0;
    std::uint32_t people = 0;
    if (!l.text(2, country) || !l.i32(lat) || !l.i32(lon) || (inhabitants && !l.u32(people)) || !l.byte(names))
      return invalid(where + "cut short");
    if (inhabitants && people == 0) return invalid(where + "no population");
    if (!upperCase(country)) return invalid(where + "no country code");
    if (lat < -90 * kParts || lat > 90 * kParts || lon < -180 * kParts || lon > 180 * kParts)
      return invalid(where + "position off the earth");
    if (names < 1 || names > kNamesMax) return invalid(where + std::to_string(names) + " names");
    for (unsigned char n = 0; n < names; ++n) {
      unsigned char length8 = 0;
      std::string_view name;
      if (!l.byte(length8) || !l.text(length8, name)) return invalid(where + "cut short");
      if (name.empty() || !isUtf8(name) || !withoutControlChars(name)) return invalid(where + "a name is not text");
      o.names.emplace_back(name);
    }
    o.country = country;
    o.lat = lat / kParts;
    o.lon = lon / kParts;
    o.population = people;
    places.push_back(std::move(o));
  }
  if (l.remaining() != 0) return invalid(std::to_string(l.remaining()) + " bytes after the last place");
  return places;
}

std::string gazetteerBytes(const std::vector<PlaceEntry>& places) {
  std::vector<const PlaceEntry*> matching;
  bool inhabitants = true;
  for (const PlaceEntry& o : places) {
    bool fits = upperCase(o.country) && !o.names.empty() && o.names.size() <= kNamesMax;
    for (const std::string& n : o.names) fits = fits && !n.empty() && n.size() <= 255;
    if (!fits) continue;
    matching.push_back(&o);
    inhabitants = inhabitants && o.population > 0;
  }
  inhabitants = inhabitants && !matching.empty();
  std::string out(kMark);
  out += static_cast<char>(inhabitants ? kVersionPopulation : kVersion);
  appendU32(out, static_cast<std::uint32_t>(matching.size()));
  for (const PlaceEntry* o : matching) {
    out += o->country;
    appendU32(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(o->lat * kParts))));
    appendU32(out, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(o->lon * kParts))));
    if (inhabitants) appendU32(out, o->population);
    out += static_cast<char>(o->names.size());
    for (const std::string& n : o->names) {
      out += static_cast<char>(n.size());
      out += n;
    }
  }
  return out;
}

Gazetteer readGazetteerFile(const std::filesystem::path& file, std::string* problem) {
  // No gazetteer is no problem: the place list is searched instead.
  Gazetteer g;
  const DataFileStatus st = loadGazetteer(file, g);
  if (problem && st.broken()) *problem = file.string() + ": " + st.reason;
  return g;
}

}  // namespace welvaro
