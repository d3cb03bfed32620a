#include "files/gazetteer.h"

#include <cmath>
#include <iterator>
#include <memory>
#include <system_error>

#include "files/codepage.h"
#include "files/fileio.h"
#include "files/places.h"
#include "state/locator.h"

namespace welvaro {

namespace {

constexpr std::string_view kMarke = "WelvOrte";
constexpr unsigned char kVersion = 1;
constexpr std::size_t kNamenMax = 8;
constexpr double kTeile = 100000;  // parts of a degree in the file
// Fewest bytes a place takes: country, two positions, one name of one byte.
constexpr std::size_t kOrtMindestens = 2 + 4 + 4 + 1 + 1 + 1;

bool grossbuchstaben(std::string_view t) {
  return t.size() == 2 && t[0] >= 'A' && t[0] <= 'Z' && t[1] >= 'A' && t[1] <= 'Z';
}

bool ohneSteuerzeichen(std::string_view t) {
  for (char c : t)
    if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
  return true;
}

// Reads the bytes front to back; every read checks that enough are left.
class Leser {
 public:
  explicit Leser(std::string_view b) : b_(b) {}
  std::size_t uebrig() const { return b_.size() - pos_; }
  bool text(std::size_t n, std::string_view& out) {
    if (uebrig() < n) return false;
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

void u32An(std::string& out, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>((v >> (8 * i)) & 0xFF);
}

}  // namespace

std::optional<std::vector<Ortseintrag>> parseGazetteer(std::string_view bytes, std::string* problem) {
  auto falsch = [&](const std::string& warum) -> std::optional<std::vector<Ortseintrag>> {
    if (problem) *problem = warum;
    return std::nullopt;
  };
  Leser l(bytes);
  std::string_view marke;
  unsigned char version = 0;
  std::uint32_t zahl = 0;
  if (!l.text(kMarke.size(), marke) || marke != kMarke) return falsch("not a gazetteer file");
  if (!l.byte(version) || version != kVersion) return falsch("unknown gazetteer version");
  if (!l.u32(zahl)) return falsch("cut short in its header");
  if (zahl > kOrteMax || zahl > l.uebrig() / kOrtMindestens)
    return falsch(std::to_string(zahl) + " places cannot be in " + std::to_string(bytes.size()) + " bytes");
  std::vector<Ortseintrag> orte;
  orte.reserve(zahl);
  for (std::uint32_t i = 0; i < zahl; ++i) {
    const std::string wo = "place " + std::to_string(i + 1) + ": ";
    Ortseintrag o;
    std::string_view land;
    std::int32_t breite = 0, laenge = 0;
    unsigned char namen = 0;
    if (!l.text(2, land) || !l.i32(breite) || !l.i32(laenge) || !l.byte(namen)) return falsch(wo + "cut short");
    if (!grossbuchstaben(land)) return falsch(wo + "no country code");
    if (breite < -90 * kTeile || breite > 90 * kTeile || laenge < -180 * kTeile || laenge > 180 * kTeile)
      return falsch(wo + "position off the earth");
    if (namen < 1 || namen > kNamenMax) return falsch(wo + std::to_string(namen) + " names");
    for (unsigned char n = 0; n < namen; ++n) {
      unsigned char laenge8 = 0;
      std::string_view name;
      if (!l.byte(laenge8) || !l.text(laenge8, name)) return falsch(wo + "cut short");
      if (name.empty() || !istUtf8(name) || !ohneSteuerzeichen(name)) return falsch(wo + "a name is not text");
      o.namen.emplace_back(name);
    }
    o.land = land;
    o.breite = breite / kTeile;
    o.laenge = laenge / kTeile;
    orte.push_back(std::move(o));
  }
  if (l.uebrig() != 0) return falsch(std::to_string(l.uebrig()) + " bytes after the last place");
  return orte;
}

std::string gazetteerBytes(const std::vector<Ortseintrag>& orte) {
  std::string liste;
  std::uint32_t zahl = 0;
  for (const Ortseintrag& o : orte) {
    bool passt = grossbuchstaben(o.land) && !o.namen.empty() && o.namen.size() <= kNamenMax;
    for (const std::string& n : o.namen) passt = passt && !n.empty() && n.size() <= 255;
    if (!passt) continue;
    liste += o.land;
    u32An(liste, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(o.breite * kTeile))));
    u32An(liste, static_cast<std::uint32_t>(static_cast<std::int32_t>(std::lround(o.laenge * kTeile))));
    liste += static_cast<char>(o.namen.size());
    for (const std::string& n : o.namen) {
      liste += static_cast<char>(n.size());
      liste += n;
    }
    ++zahl;
  }
  std::string out(kMarke);
  out += static_cast<char>(kVersion);
  u32An(out, zahl);
  return out + liste;
}

Gazetteer readGazetteerFile(const std::filesystem::path& file, std::string* problem) {
  auto nicht = [&](const std::string& warum) {
    if (problem) *problem = file.string() + ": " + warum;
    return Gazetteer();
  };
  // No gazetteer is no problem: the place list is searched instead.
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return {};
  std::string bytes;
  if (const FileStatus st = readWholeFile(file, bytes, kOrteDateiMax); !st.ok()) return nicht(grundVon(st, file));
  std::string warum;
  auto orte = parseGazetteer(bytes, &warum);
  if (!orte) return nicht(warum);
  return Gazetteer(std::move(*orte));
}

}  // namespace welvaro
