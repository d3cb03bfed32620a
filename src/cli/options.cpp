#include "cli/options.h"

#include <cctype>
#include <charconv>
#include <filesystem>

#include "files/gazetteer.h"
#include "files/programdir.h"
#include "state/numtext.h"

namespace welvaro::cli {

std::optional<double> strictNumber(std::string_view t) {
  std::size_t i = 0;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      digits = true;
    else if (t[i] == '.' && !point)
      point = true;
    else
      return std::nullopt;
  }
  if (!digits) return std::nullopt;
  return ReadNumber(t);
}

std::string Arguments::next(std::string_view option) {
  if (pos_ >= args_.size()) throw BadArgument{std::string(option) + " needs a value"};
  return args_[pos_++];
}

namespace {

double numberIn(const std::string& option, const std::string& text, double lo, double hi) {
  auto v = strictNumber(text);
  if (!v) throw BadArgument{option + ": '" + text + "' is not a number"};
  if (*v < lo || *v > hi)
    throw BadArgument{option + ": " + text + " is outside " + PlainText(lo) + " .. " + PlainText(hi)};
  return *v;
}

// LAT,LON in degrees, or (when the text does not begin like a number) a
// locator or a place name, whose name then goes to `name`.
std::pair<double, double> position(const std::string& option, const std::string& text, std::string& name) {
  const auto erstes = text.find_first_not_of(' ');
  if (erstes != std::string::npos && std::string_view("0123456789+-.").find(text[erstes]) == std::string_view::npos) {
    const StationsOrt r = resolveStationInDataFiles(text, resolveProgramDirs(systemProgramDirInputs()));
    if (r.art != StationsOrt::Art::Gefunden) throw BadArgument{option + ": " + stationsMeldung(r)};
    if (!r.name.empty()) name = r.name;
    return {r.breite, r.laenge};
  }
  const auto comma = text.find(',');
  if (comma == std::string::npos) throw BadArgument{option + " takes LAT,LON (for example 48.1,11.5)"};
  return {numberIn(option + " latitude", text.substr(0, comma), -90, 90),
          numberIn(option + " longitude", text.substr(comma + 1), -180, 180)};
}

std::optional<DateTime> parseDate(const std::string& t) {
  int y = 0, m = 0, d = 0;
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return std::nullopt;
  auto num = [&](std::size_t from, std::size_t len, int& out) {
    auto r = std::from_chars(t.data() + from, t.data() + from + len, out);
    return r.ec == std::errc() && r.ptr == t.data() + from + len;
  };
  if (!num(0, 4, y) || !num(5, 2, m) || !num(8, 2, d)) return std::nullopt;
  if (y < 1601 || y > 9999 || m < 1 || m > 12 || d < 1 || d > daysInMonth(y, m)) return std::nullopt;
  return DateTime{y, m, d, 12, 0, 0};
}

}  // namespace

std::vector<double> numberList(const std::string& option, const std::string& text, std::size_t count, double lo,
                               double hi) {
  std::vector<double> out;
  std::size_t from = 0;
  while (true) {
    const auto comma = text.find(',', from);
    out.push_back(numberIn(option, text.substr(from, comma - from), lo, hi));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (out.size() != count) throw BadArgument{option + " takes " + std::to_string(count) + " numbers separated by commas"};
  return out;
}

bool applyCommon(State& s, Common& c, const std::string& opt, Arguments& args) {
  if (opt == "--a") {
    auto [lat, lon] = position(opt, args.next(opt), s.OrtA);
    s.X1 = lat;
    s.Y1 = static_cast<float>(lon);
  } else if (opt == "--b") {
    auto [lat, lon] = position(opt, args.next(opt), s.OrtB);
    s.OrtX2 = static_cast<float>(lat);
    s.OrtY2 = static_cast<float>(lon);
    s.X2 = s.OrtX2;
    s.Y2 = s.OrtY2;
  } else if (opt == "--ssn") {
    const std::string t = args.next(opt);
    s.Ssna = numberIn(opt, t, 0, 300);
    s.Ssn = t;
  } else if (opt == "--power") {
    const std::string t = args.next(opt);
    s.Zkw = numberIn(opt, t, 0.000001, 1000);
    s.Zkwa = t;
  } else if (opt == "--gain") {
    s.Sag = numberIn(opt, args.next(opt), -40, 20);
  } else if (opt == "--angle") {
    s.Angm = numberIn(opt, args.next(opt), 0, 90);
  } else if (opt == "--avail") {
    const double v = numberIn(opt, args.next(opt), 10, 90);
    if (v != 10 && v != 50 && v != 90) throw BadArgument{"--avail takes 10, 50 or 90"};
    s.Iproz = v;
  } else if (opt == "--path") {
    std::string t = args.next(opt);
    for (char& ch : t) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    if (t != "S" && t != "L") throw BadArgument{"--path takes S (short) or L (long)"};
    s.P = t;
  } else if (opt == "--date") {
    const std::string t = args.next(opt);
    auto d = parseDate(t);
    if (!d) throw BadArgument{"--date: '" + t + "' is not a date YYYY-MM-DD"};
    s.Jetzt = *d;
  } else if (opt == "--month") {
    s.Monat = static_cast<float>(numberIn(opt, args.next(opt), 1, 12));
    if (s.Monat != std::floor(s.Monat)) throw BadArgument{"--month takes a whole month 1..12"};
    c.monthGiven = true;
  } else {
    return false;
  }
  return true;
}

void setzeSpeicher(State& s, const std::string& option, const std::string& text) {
  const auto f = numberList(option, text, 6, 0.000001, 1000);
  float* mem[6] = {&s.Speicher1, &s.Speicher2, &s.Speicher3, &s.Speicher4, &s.Speicher5, &s.Speicher6};
  for (std::size_t i = 0; i < 6; ++i) *mem[i] = static_cast<float>(f[i]);
}

void pruefeOrdner(const std::string& dir) {
  if (dir.empty()) throw BadArgument{"--dir DIR is required"};
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) throw BadArgument{"--dir: '" + dir + "' is not a folder"};
}

void finishCommon(State& s, const Common& c) {
  if (!c.monthGiven) s.Monat = static_cast<float>(s.Jetzt.month);
}

}  // namespace welvaro::cli
