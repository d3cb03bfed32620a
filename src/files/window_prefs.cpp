#include "files/window_prefs.h"

#include <cerrno>
#include <charconv>
#include <sstream>

#include "files/fileio.h"

namespace welvaro {

namespace {

// A whole number in lo..hi, else the value as it was.
void number(std::string_view text, int lo, int hi, int& target) {
  int v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size() && v >= lo && v <= hi) target = v;
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
    constexpr int kGross = 100000;
    if (k == "x") number(v, -kGross, kGross, f.x);
    else if (k == "y") number(v, -kGross, kGross, f.y);
    else if (k == "breite") number(v, 0, kGross, f.width);
    else if (k == "hoehe") number(v, 0, kGross, f.height);
    else if (k == "projektion") number(v, 0, 1, f.projection);
    else if (k == "zonefolgt") number(v, 0, 1, f.zoneFollows);
    else if (k == "ssnfromtable") number(v, 0, 1, f.ssnFromTable);
    else if (k == "solarmonthly") number(v, 0, 1, f.solarMonthly);
    else if (k == "ssntyped" && isTypedSsn(v)) f.ssnTyped = v;
    else if (k == "solarurl" && isAddressText(v)) f.solarUrl = v;
    else if (k == "solarlastcheck" && isDateText(v)) f.solarLastCheck = v;
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
  if (f.ssnFromTable >= 0) o << "ssnfromtable=" << f.ssnFromTable << "\n";
  if (isTypedSsn(f.ssnTyped)) o << "ssntyped=" << f.ssnTyped << "\n";
  if (isAddressText(f.solarUrl)) o << "solarurl=" << f.solarUrl << "\n";
  if (f.solarMonthly == 1) o << "solarmonthly=1\n";
  if (isDateText(f.solarLastCheck)) o << "solarlastcheck=" << f.solarLastCheck << "\n";
  return o.str();
}

WindowPrefs readWindowPrefs(const std::filesystem::path& file) {
  std::string text;
  if (!readWholeFile(file, text, 4096).ok()) return {};
  return windowPrefsFromText(text);
}

int writeWindowPrefs(const std::filesystem::path& file, const WindowPrefs& f) {
  const FileStatus st = replaceFile(file, windowPrefsText(f));
  return st.ok() ? 0 : (st.err != 0 ? st.err : EIO);
}

}  // namespace welvaro
