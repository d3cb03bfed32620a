#include "cli/options.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <system_error>

#include "decodes/heard.h"
#include "decodes/listener.h"
#include "files/gazetteer.h"
#include "files/programdir.h"
#include "input/station.h"
#include "state/bands.h"
#include "solar/solar_update.h"
#include "solar/sunspot_table.h"
#include "outlook/outlook.h"
#include "state/locator.h"
#include "state/calendar.h"
#include "state/numtext.h"
#include "state/station_a.h"

namespace welvaro::cli {

std::optional<double> strictNumber(std::string_view t) {
  std::size_t i = 0;
  while (i < t.size() && t[i] == ' ') ++i;
  if (i < t.size() && (t[i] == '-' || t[i] == '+')) ++i;
  bool digits = false, point = false;
  for (; i < t.size() && t[i] != ' '; ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      digits = true;
    else if (t[i] == '.' && !point)
      point = true;
    else
      return std::nullopt;
  }
  while (i < t.size() && t[i] == ' ') ++i;
  if (!digits || i < t.size()) return std::nullopt;
  return ReadNumber(t);
}

bool Invocation::has(std::string_view option) const {
  return std::find(given.begin(), given.end(), option) != given.end();
}

namespace {

double numberIn(std::string_view option, const std::string& text, double lo, double hi) {
  const auto v = strictNumber(text);
  if (!v) throw BadArgument{std::string(option) + ": '" + text + "' is not a number"};
  if (*v < lo || *v > hi)
    throw BadArgument{std::string(option) + ": " + text + " is outside " + PlainText(lo) + " .. " + PlainText(hi)};
  return *v;
}

// LAT,LON in degrees, or (when the text does not begin like a number) a
// Maidenhead locator or a place name, whose name then goes to `name`.
std::pair<double, double> position(Invocation& a, std::string_view option, const std::string& text, std::string& name) {
  const std::string o(option);
  const auto first = text.find_first_not_of(' ');
  if (first != std::string::npos && std::string_view("0123456789+-.").find(text[first]) == std::string_view::npos) {
    // The place lists are read once, at the first name (a locator needs none).
    if (!a.places && !looksLikeLocator(text)) {
      ProgramDirs d;
      d.dataDirs = a.dataFolders;
      a.places = std::make_unique<PlaceIndex>(placeIndexFromFiles(d));
    }
    const PlaceIndex none;
    const PlaceIndex& v = a.places ? *a.places : none;
    // A name is looked up in both lists: a damaged one would silently
    // change what the name means.
    if (const DataFileStatus* broken = v.broken()) throw FileProblem{o + ": " + broken->message()};
    const StationLookup r = resolveStation(text, v.placeList, v.places);
    if (r.kind != StationLookup::Kind::Found) throw BadArgument{o + ": " + stationMessage(r)};
    if (const std::string note = takenNote(r); !note.empty()) a.notes.push_back(o + ": '" + text + "' " + note);
    name = r.name;
    return {r.lat, r.lon};
  }
  const auto comma = text.find(',');
  if (comma == std::string::npos) throw BadArgument{o + " takes LAT,LON (for example 48.1,11.5)"};
  return {numberIn(o + " latitude", text.substr(0, comma), -90, 90),
          numberIn(o + " longitude", text.substr(comma + 1), -180, 180)};
}

// "F1,F2,...": exactly `count` numbers within [lo, hi].
std::vector<double> numberList(std::string_view option, const std::string& text, std::size_t count, double lo,
                               double hi) {
  std::vector<double> out;
  for (std::size_t from = 0;;) {
    const auto comma = text.find(',', from);
    out.push_back(numberIn(option, text.substr(from, comma - from), lo, hi));
    if (comma == std::string::npos) break;
    from = comma + 1;
  }
  if (out.size() != count)
    throw BadArgument{std::string(option) + " takes " + std::to_string(count) + " numbers separated by commas"};
  return out;
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

// "HH:MM" or "H:MM", 00:00 .. 23:59, and 24:00 for the end of the UTC day
// (which is 00:00 of the forecast's day again).
bool parseUtc(const std::string& t, int& hour, int& minute) {
  const auto colon = t.find(':');
  if (colon == std::string::npos || colon == 0 || colon > 2 || t.size() != colon + 3) return false;
  auto num = [&](std::size_t from, std::size_t to, int& out) {
    auto r = std::from_chars(t.data() + from, t.data() + to, out);
    return r.ec == std::errc() && r.ptr == t.data() + to;
  };
  if (!num(0, colon, hour) || !num(colon + 1, t.size(), minute)) return false;
  if (hour == 24 && minute == 0) hour = 0;
  return hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59;
}

// "WxH" with whole numbers 16 .. 8192.
bool pictureSize(const std::string& t, int& w, int& h) {
  const auto x = t.find('x');
  if (x == std::string::npos) return false;
  const auto number = [](std::string_view z, int& v) {
    const auto r = std::from_chars(z.data(), z.data() + z.size(), v);
    return !z.empty() && r.ec == std::errc() && r.ptr == z.data() + z.size() && v >= 16 && v <= 8192;
  };
  return number(std::string_view(t).substr(0, x), w) && number(std::string_view(t).substr(x + 1), h);
}

// One option: its name, the word for its value in messages (empty for a
// switch) and what its value sets.
struct OptionDef {
  std::string_view name;
  std::string_view value;
  void (*set)(Invocation& a, const std::string& text);
  bool several = false;  ///< takes several values: every argument up to the next option
};

// Every option of welvaro-cli.
constexpr OptionDef kOptions[] = {
    // The common options: stations, conditions, date and month.
    {"--a", "LAT,LON",
     [](Invocation& a, const std::string& t) {
       const auto [lat, lon] = position(a, "--a", t, a.placeNameA);
       if (!a.placeNameA.empty()) a.s->OrtA = a.placeNameA;  // a place carries its name
       setStationALatitude(*a.s, lat);
       setStationALongitude(*a.s, static_cast<float>(lon));
     }},
    {"--b", "LAT,LON",
     [](Invocation& a, const std::string& t) {
       const auto [lat, lon] = position(a, "--b", t, a.placeNameB);
       if (!a.placeNameB.empty()) a.s->OrtB = a.placeNameB;
       a.s->OrtX2 = static_cast<float>(lat);
       a.s->OrtY2 = static_cast<float>(lon);
       a.s->X2 = a.s->OrtX2;
       a.s->Y2 = a.s->OrtY2;
     }},
    {"--ssn", "N|table",
     [](Invocation& a, const std::string& t) {
       a.ssnTable = t == "table";
       if (a.ssnTable) return;  // looked up once the forecast month is known
       a.s->Ssna = numberIn("--ssn", t, 0, 300);
       a.s->Ssn = t;
     }},
    {"--power", "KW",
     [](Invocation& a, const std::string& t) {
       a.s->Zkw = numberIn("--power", t, 0.000001, 1000);
       a.s->Zkwa = t;
     }},
    {"--gain", "DBI", [](Invocation& a, const std::string& t) { a.s->Sag = numberIn("--gain", t, -40, 20); }},
    {"--angle", "DEG", [](Invocation& a, const std::string& t) { a.s->Angm = numberIn("--angle", t, 0, 90); }},
    {"--avail", "10|50|90",
     [](Invocation& a, const std::string& t) {
       const double v = numberIn("--avail", t, 10, 90);
       if (v != 10 && v != 50 && v != 90) throw BadArgument{"--avail takes 10, 50 or 90"};
       a.s->Iproz = v;
     }},
    {"--path", "S|L",
     [](Invocation& a, const std::string& t) {
       std::string p = t;
       for (char& ch : p) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
       if (p != "S" && p != "L") throw BadArgument{"--path takes S (short) or L (long)"};
       a.s->P = p;
     }},
    {"--date", "YYYY-MM-DD",
     [](Invocation& a, const std::string& t) {
       const auto d = parseDate(t);
       if (!d) throw BadArgument{"--date: '" + t + "' is not a date YYYY-MM-DD"};
       a.s->Jetzt = *d;
     }},
    {"--month", "M|YYYY-MM",
     [](Invocation& a, const std::string& t) {
       // YYYY-MM: that very month (its year counts for --ssn table).
       if (const auto ym = parseYearMonth(t)) {
         a.forecastYear = ym->year;
         a.s->Monat = static_cast<float>(ym->month);
         return;
       }
       a.forecastYear = 0;
       const double m = numberIn("--month", t, 1, 12);
       if (m != std::floor(m)) throw BadArgument{"--month takes a whole month 1..12"};
       a.s->Monat = static_cast<float>(m);
     }},
    // Display frequency and time.
    {"--freq", "MHZ",
     [](Invocation& a, const std::string& t) {
       a.s->AktFrequenz = static_cast<float>(numberIn("--freq", t, 1, 30));
     }},
    {"--utc", "HH:MM",
     [](Invocation& a, const std::string& t) {
       if (!parseUtc(t, a.hour, a.minute))
         throw BadArgument{"--utc: '" + t + "' is not a time HH:MM (00:00 .. 24:00)"};
     }},
    {"--hours", "N",
     [](Invocation& a, const std::string& t) {
       const double n = numberIn("--hours", t, 1, 24);
       if (n != std::floor(n)) throw BadArgument{"--hours takes a whole number of hours 1..24"};
       a.hours = static_cast<int>(n);
     }},
    // The outlook: the mode, the noise at the receiving station, and the
    // outlook as the quantity shown.
    {"--mode", "CW|SSB|FT8|FT4|WSPR|DBHZ",
     [](Invocation& a, const std::string& t) {
       if (const std::string e = modeFromText(*a.s, t); !e.empty()) throw BadArgument{e};
     }},
    {"--noise", "city|residential|rural|quiet|DBM",
     [](Invocation& a, const std::string& t) {
       if (const std::string e = noiseFromText(*a.s, t); !e.empty()) throw BadArgument{e};
     }},
    {"--outlook", "", [](Invocation& a, const std::string&) { a.s->OutlookFlag = 1; }},
    {"--level", "", [](Invocation& a, const std::string&) { a.s->PegelFlag = 1; }},
    {"--field", "", [](Invocation& a, const std::string&) { a.s->PegelFlag = 0; }},
    {"--memories", "F1,..,F6",
     [](Invocation& a, const std::string& t) {
       const auto f = numberList("--memories", t, 6, 0.000001, 1000);
       State& s = *a.s;
       float* mem[6] = {&s.Speicher1, &s.Speicher2, &s.Speicher3, &s.Speicher4, &s.Speicher5, &s.Speicher6};
       for (std::size_t i = 0; i < 6; ++i) *mem[i] = static_cast<float>(f[i]);
     }},
    {"--lang", "0..5",
     [](Invocation& a, const std::string& t) {
       if (t.size() != 1 || t[0] < '0' || t[0] > '5') throw BadArgument{"--lang takes a language index 0..5"};
       a.s->L = static_cast<int16>(t[0] - '0');
     }},
    {"--name-a", "TEXT", [](Invocation& a, const std::string& t) { a.nameA = t; }},
    {"--name-b", "TEXT", [](Invocation& a, const std::string& t) { a.nameB = t; }},
    // Files and output forms.
    {"--dir", "DIR",
     [](Invocation& a, const std::string& t) {
       checkFolder(t);
       a.dir = t;
     }},
    {"--format", "FORM", [](Invocation& a, const std::string& t) { a.format = t; }},
    {"--text", "", [](Invocation&, const std::string&) {}},
    {"--pdf", "FILE",
     [](Invocation& a, const std::string& t) {
       if (t.empty()) throw BadArgument{"--pdf needs a file name"};
       a.pdf = t;
     }},
    // Pictures at any size.
    {"--png", "FILE",
     [](Invocation& a, const std::string& t) {
       if (t.empty()) throw BadArgument{"--png needs a file name"};
       a.png = t;
     }},
    {"--size", "WxH",
     [](Invocation& a, const std::string& t) {
       if (!pictureSize(t, a.pictureWidth, a.pictureHeight))
         throw BadArgument{"--size: '" + t + "' is not WxH with 16 .. 8192 pixels each"};
     }},
    {"--projection", "rect|azimuthal",
     [](Invocation& a, const std::string& t) {
       if (t != "rect" && t != "azimuthal") throw BadArgument{"--projection takes rect or azimuthal"};
       a.azimuthal = t == "azimuthal";
     }},
    {"--greyline", "", [](Invocation&, const std::string&) {}},
    // What a digital-mode receiver heard.
    {"--log", "FILE...",
     [](Invocation& a, const std::string& t) {
       if (t.empty()) throw BadArgument{"--log needs a file name"};
       a.logs.push_back(t);
     },
     true},
    {"--store", "FILE",
     [](Invocation& a, const std::string& t) {
       if (t.empty()) throw BadArgument{"--store needs a file name"};
       a.store = t;
     }},
    {"--since", "15m|1h|6h|24h|all",
     [](Invocation& a, const std::string& t) {
       if (!parseHeardSpan(t)) throw BadArgument{"--since takes 15m, 1h, 6h, 24h or all"};
       a.since = t;
     }},
    {"--band", "BAND",
     [](Invocation& a, const std::string& t) {
       a.band = hfBandOfName(t);
       if (a.band < 0) throw BadArgument{"--band takes 160m, 80m, 60m, 40m, 30m, 20m, 17m, 15m, 12m or 10m"};
     }},
    {"--rx", "LAT,LON",
     [](Invocation& a, const std::string& t) {
       std::string name;
       a.rx = position(a, "--rx", t, name);
     }},
    {"--list", "", [](Invocation&, const std::string&) {}},
    {"--udp", "ADDR:PORT",
     [](Invocation& a, const std::string& t) {
       if (!parseEndpoint(t)) throw BadArgument{"--udp: '" + t + "' is not ADDR:PORT (for example 127.0.0.1:2237)"};
       a.udp = t;
     }},
    {"--seconds", "N",
     [](Invocation& a, const std::string& t) {
       const double n = numberIn("--seconds", t, 1, 86400);
       if (n != std::floor(n)) throw BadArgument{"--seconds takes a whole number of seconds 1..86400"};
       a.seconds = static_cast<int>(n);
     }},
    {"--keep-days", "N",
     [](Invocation& a, const std::string& t) {
       const double n = numberIn("--keep-days", t, 1, 36500);
       if (n != std::floor(n)) throw BadArgument{"--keep-days takes a whole number of days 1..36500"};
       a.keepDays = static_cast<int>(n);
     }},
    // The sunspot table's update.
    {"--update", "", [](Invocation& a, const std::string&) { a.update = true; }},
    {"--url", "BASE",
     [](Invocation& a, const std::string& t) {
       if (!isHttpAddress(t)) throw BadArgument{"--url takes an http:// or https:// address"};
       a.url = t;
     }},
};

const OptionDef* find(std::string_view name) {
  for (const OptionDef& o : kOptions)
    if (o.name == name) return &o;
  return nullptr;
}

// "a, b or c"
std::string enumeration(const std::vector<std::string_view>& w) {
  std::string t;
  for (std::size_t i = 0; i < w.size(); ++i) {
    if (i > 0) t += i + 1 == w.size() ? " or " : ", ";
    t += w[i];
  }
  return t;
}

}  // namespace

std::vector<std::string_view> withCommon(std::initializer_list<std::string_view> own) {
  std::vector<std::string_view> o = {"--a",   "--b",   "--ssn",  "--power", "--gain",
                                     "--angle", "--avail", "--path", "--date",  "--month"};
  o.insert(o.end(), own.begin(), own.end());
  return o;
}

Invocation readOptions(const Command& b, const std::vector<std::string>& args, const Context& k) {
  Invocation a;
  a.s->Jetzt = k.clock.now();
  a.dataFolders = k.dataFolders;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    const OptionDef* o = find(name);
    if (!o || std::find(b.options.begin(), b.options.end(), name) == b.options.end())
      throw BadArgument{"unknown option '" + name + "'"};
    std::string value;
    if (!o->value.empty()) {
      if (++i >= args.size()) throw BadArgument{name + " needs a value"};
      value = args[i];
    }
    o->set(a, value);
    // Further values up to the next option.
    while (o->several && i + 1 < args.size() && args[i + 1].rfind("--", 0) != 0) o->set(a, args[++i]);
    a.given.push_back(name);
  }
  for (const std::string_view p : b.required)
    if (!a.has(p)) throw BadArgument{std::string(p) + " " + std::string(find(p)->value) + " is required"};
  if (a.has("--level") && a.has("--field")) throw BadArgument{"--level and --field exclude each other"};
  if (a.has("--outlook") && (a.has("--level") || a.has("--field")))
    throw BadArgument{"--outlook excludes --level and --field"};
  if (!b.formats.empty()) {
    if (!a.has("--format")) a.format = b.formats.front();
    if (std::find(b.formats.begin(), b.formats.end(), a.format) == b.formats.end())
      throw BadArgument{"--format takes " + enumeration(b.formats)};
  }
  if (b.check) b.check(a);

  State& s = *a.s;
  if (std::find(b.options.begin(), b.options.end(), "--month") != b.options.end() && !a.has("--month"))
    s.Monat = static_cast<float>(s.Jetzt.month);
  if (a.has("--utc")) s.Zeitpunkt = DateTime{s.Jetzt.year, s.Jetzt.month, s.Jetzt.day, a.hour, a.minute, 0};
  if (a.ssnTable) takeSsnFromTable(a, k);
  return a;
}

void setNames(Invocation& a) {
  if (a.has("--a")) a.s->OrtA = a.placeNameA;
  if (a.has("--b")) a.s->OrtB = a.placeNameB;
  if (a.nameA) a.s->OrtA = *a.nameA;
  if (a.nameB) a.s->OrtB = *a.nameB;
}

void checkFolder(const std::string& dir) {
  if (dir.empty()) throw BadArgument{"--dir DIR is required"};
  std::error_code ec;
  if (!std::filesystem::is_directory(dir, ec)) throw BadArgument{"--dir: '" + dir + "' is not a folder"};
}

}  // namespace welvaro::cli
