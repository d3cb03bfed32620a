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
