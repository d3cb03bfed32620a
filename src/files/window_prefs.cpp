#include "files/window_prefs.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <sstream>

#include "files/fileio.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

// A whole number in lo..hi, else the value as it was.
void number(std::string_view text, int lo, int hi, int& target) {
  int v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size() && v >= lo && v <= hi) target = v;
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
    constexpr int kGross = 100000;
    if (k == "x") number(v, -kGross, kGross, f.x);
    else if (k == "y") number(v, -kGross, kGross, f.y);
    else if (k == "breite") number(v, 0, kGross, f.width);
    else if (k == "hoehe") number(v, 0, kGross, f.height);
    else if (k == "projektion") number(v, 0, 1, f.projection);
    else if (k == "zonefolgt") number(v, 0, 1, f.zoneFollows);
    else if (k == "mode" && v.size() <= 16) f.mode = std::string(v);
    else if (k == "mode_dbhz") decimal(v, f.modeDbHz);
    else if (k == "noise" && v.size() <= 16) f.noise = std::string(v);
    else if (k == "noise_dbm") decimal(v, f.noiseDbm);
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
  if (!f.mode.empty()) o << "mode=" << f.mode << "\n";
  if (std::isfinite(f.modeDbHz)) o << "mode_dbhz=" << PlainText(f.modeDbHz) << "\n";
  if (!f.noise.empty()) o << "noise=" << f.noise << "\n";
  if (std::isfinite(f.noiseDbm)) o << "noise_dbm=" << PlainText(f.noiseDbm) << "\n";
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
