#include "files/window_prefs.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <sstream>

#include "files/fileio.h"
#include "files/read_limits.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// A whole number in lo..hi, else the value as it was.
void number(std::string_view text, int lo, int hi, int& target) {
  int v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size() && v >= lo && v <= hi) target = v;
}

// LAT;LON;PATH with LAT and LON both empty (station A) or both numbers in
// range; the path is the rest of the line and must not be empty.
void heardLog(std::string_view v, WindowPrefs& f) {
  const auto a = v.find(';');
  const auto b = a == std::string_view::npos ? a : v.find(';', a + 1);
  if (b == std::string_view::npos || b + 1 >= v.size()) return;
  WindowPrefs::HeardLog log;
  log.path = std::string(v.substr(b + 1));
  const std::string_view lat = v.substr(0, a), lon = v.substr(a + 1, b - a - 1);
  if (!lat.empty() || !lon.empty()) {
    const auto numberIn = [](std::string_view t, double lo, double hi, double& out) {
      const auto r = std::from_chars(t.data(), t.data() + t.size(), out);
      return r.ec == std::errc() && r.ptr == t.data() + t.size() && out >= lo && out <= hi;
    };
    if (!numberIn(lat, -90, 90, log.lat) || !numberIn(lon, -180, 180, log.lon)) return;
    log.ownPosition = true;
  }
  f.heardLogs.push_back(std::move(log));
}

// A sunspot number as typed: digits with at most one point, 0..300.
bool isTypedSsn(std::string_view t) {
  if (t.empty() || t.size() > 16 || t.find_first_not_of("0123456789.") != std::string_view::npos ||
      t.find('.') != t.rfind('.') || t == ".")
    return false;
  double v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
  return r.ptr == t.data() + t.size() && v >= 0 && v <= 300;
}

// A date YYYY-MM-DD (digits in place; the reader of the date checks the rest).
bool isDateText(std::string_view t) {
  if (t.size() != 10 || t[4] != '-' || t[7] != '-') return false;
  for (std::size_t i = 0; i < t.size(); ++i)
    if (i != 4 && i != 7 && (t[i] < '0' || t[i] > '9')) return false;
  return true;
}

// An address: printable characters without blanks, at most 1000.
bool isAddressText(std::string_view t) {
  if (t.empty() || t.size() > 1000) return false;
  for (const char c : t)
    if (static_cast<unsigned char>(c) <= ' ' || c == 127) return false;
  return true;
}

// A finite number (the number-reading rule's form: an optional sign,
// digits with at most one point), else the value as it was.
void decimal(std::string_view text, double& target) {
  double v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v, std::chars_format::fixed);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size() && std::isfinite(v)) target = v;
}

}  // namespace

WindowPrefs windowPrefsFromText(std::string_view text) {
  WindowPrefs f;
  std::size_t a = 0;
  while (a < text.size()) {
    std::size_t e = text.find('\n', a);
    if (e == std::string_view::npos) e = text.size();
    std::string_view line = text.substr(a, e - a);
    a = e + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    const auto equals = line.find('=');
    if (equals == std::string_view::npos) continue;
    const std::string_view k = line.substr(0, equals), v = line.substr(equals + 1);
    if (k == "x") number(v, kWindowPlaceMin, kWindowPlaceMax, f.x);
    else if (k == "y") number(v, kWindowPlaceMin, kWindowPlaceMax, f.y);
    else if (k == "breite") number(v, kWindowMinWidth, kWindowSizeMax, f.width);
    else if (k == "hoehe") number(v, kWindowMinHeight, kWindowSizeMax, f.height);
    else if (k == "projektion") number(v, 0, 1, f.projection);
    else if (k == "zonefolgt") number(v, 0, 1, f.zoneFollows);
    else if (k == "heard_log") heardLog(v, f);
    else if (k == "heard_listen") {
      int m = f.heardListen ? 1 : 0;
      number(v, 0, 1, m);
      f.heardListen = m == 1;
    } else if (k == "heard_udp") {
      if (!v.empty() && v.size() < 64) f.heardUdp = std::string(v);
    } else if (k == "heard_keep_days") number(v, 1, 36500, f.heardKeepDays);
    else if (k == "heard_span") {
      int m = f.heardSpan;
      number(v, 0, 1440, m);
      if (m == 0 || m == 15 || m == 60 || m == 360 || m == 1440) f.heardSpan = m;
    } else if (k == "ssnfromtable") number(v, 0, 1, f.ssnFromTable);
    else if (k == "solarmonthly") number(v, 0, 1, f.solarMonthly);
    else if (k == "ssntyped" && isTypedSsn(v)) f.ssnTyped = v;
    else if (k == "solarurl" && isAddressText(v)) f.solarUrl = v;
    else if (k == "solarlastcheck" && isDateText(v)) f.solarLastCheck = v;
    else if (k == "mode" && v.size() <= 16) f.mode = std::string(v);
    else if (k == "mode_dbhz") decimal(v, f.modeDbHz);
    else if (k == "noise" && v.size() <= 16) f.noise = std::string(v);
    else if (k == "noise_dbm") decimal(v, f.noiseDbm);
    else if (k == "outlook") number(v, 0, 1, f.outlook);
    else if (k == "maximiert") {
      int m = f.maximized ? 1 : 0;
      number(v, 0, 1, m);
      f.maximized = m == 1;
    }
  }
  return f;
}

std::string windowPrefsText(const WindowPrefs& f) {
  std::ostringstream o;
  o << "x=" << f.x << "\ny=" << f.y << "\nbreite=" << f.width << "\nhoehe=" << f.height
    << "\nmaximiert=" << (f.maximized ? 1 : 0) << "\nprojektion=" << f.projection << "\n";
  if (f.zoneFollows >= 0) o << "zonefolgt=" << f.zoneFollows << "\n";
  for (const WindowPrefs::HeardLog& l : f.heardLogs) {
    if (l.path.empty() || l.path.find_first_of("\r\n") != std::string::npos) continue;
    o << "heard_log=";
    if (l.ownPosition) {
      char b[64];
      std::snprintf(b, sizeof b, "%.6f;%.6f", l.lat, l.lon);
      o << b;
    } else {
      o << ";";
    }
    o << ";" << l.path << "\n";
  }
  o << "heard_listen=" << (f.heardListen ? 1 : 0) << "\nheard_udp=" << f.heardUdp
    << "\nheard_keep_days=" << f.heardKeepDays << "\nheard_span=" << f.heardSpan << "\n";
  if (f.ssnFromTable >= 0) o << "ssnfromtable=" << f.ssnFromTable << "\n";
  if (isTypedSsn(f.ssnTyped)) o << "ssntyped=" << f.ssnTyped << "\n";
  if (isAddressText(f.solarUrl)) o << "solarurl=" << f.solarUrl << "\n";
  if (f.solarMonthly == 1) o << "solarmonthly=1\n";
  if (isDateText(f.solarLastCheck)) o << "solarlastcheck=" << f.solarLastCheck << "\n";
  if (!f.mode.empty()) o << "mode=" << f.mode << "\n";
  if (std::isfinite(f.modeDbHz)) o << "mode_dbhz=" << PlainText(f.modeDbHz) << "\n";
  if (!f.noise.empty()) o << "noise=" << f.noise << "\n";
  if (std::isfinite(f.noiseDbm)) o << "noise_dbm=" << PlainText(f.noiseDbm) << "\n";
  if (f.outlook >= 0) o << "outlook=" << f.outlook << "\n";
  return o.str();
}

WindowPrefs readWindowPrefs(const std::filesystem::path& file) {
  std::string text;
  if (!readWholeFile(file, text, kWindowPrefsReadLimit).ok()) return {};
  return windowPrefsFromText(text);
}

int writeWindowPrefs(const std::filesystem::path& file, const WindowPrefs& f) {
  const FileStatus st = replaceFile(file, windowPrefsText(f));
  return st.ok() ? 0 : (st.err != 0 ? st.err : EIO);
}

}  // namespace welvaro
