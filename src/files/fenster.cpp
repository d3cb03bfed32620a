#include "files/fenster.h"

#include <cerrno>
#include <charconv>
#include <sstream>

#include "files/fileio.h"

namespace welvaro {

namespace {

// A whole number in lo..hi, else the value as it was.
void zahl(std::string_view text, int lo, int hi, int& ziel) {
  int v = 0;
  const auto r = std::from_chars(text.data(), text.data() + text.size(), v);
  if (r.ec == std::errc() && r.ptr == text.data() + text.size() && v >= lo && v <= hi) ziel = v;
}

}  // namespace

Fenstervorgaben fensterAusText(std::string_view text) {
  Fenstervorgaben f;
  std::size_t a = 0;
  while (a < text.size()) {
    std::size_t e = text.find('\n', a);
    if (e == std::string_view::npos) e = text.size();
    std::string_view zeile = text.substr(a, e - a);
    a = e + 1;
    if (!zeile.empty() && zeile.back() == '\r') zeile.remove_suffix(1);
    const auto gleich = zeile.find('=');
    if (gleich == std::string_view::npos) continue;
    const std::string_view k = zeile.substr(0, gleich), v = zeile.substr(gleich + 1);
    constexpr int kGross = 100000;
    if (k == "x") zahl(v, -kGross, kGross, f.x);
    else if (k == "y") zahl(v, -kGross, kGross, f.y);
    else if (k == "breite") zahl(v, 0, kGross, f.breite);
    else if (k == "hoehe") zahl(v, 0, kGross, f.hoehe);
    else if (k == "projektion") zahl(v, 0, 1, f.projektion);
    else if (k == "zonefolgt") zahl(v, 0, 1, f.zoneFolgt);
    else if (k == "maximiert") {
      int m = f.maximiert ? 1 : 0;
      zahl(v, 0, 1, m);
      f.maximiert = m == 1;
    }
  }
  return f;
}

std::string fensterText(const Fenstervorgaben& f) {
  std::ostringstream o;
  o << "x=" << f.x << "\ny=" << f.y << "\nbreite=" << f.breite << "\nhoehe=" << f.hoehe
    << "\nmaximiert=" << (f.maximiert ? 1 : 0) << "\nprojektion=" << f.projektion << "\n";
  if (f.zoneFolgt >= 0) o << "zonefolgt=" << f.zoneFolgt << "\n";
  return o.str();
}

Fenstervorgaben leseFenster(const std::filesystem::path& datei) {
  std::string text;
  if (!readWholeFile(datei, text, 4096).ok()) return {};
  return fensterAusText(text);
}

int schreibeFenster(const std::filesystem::path& datei, const Fenstervorgaben& f) {
  const FileStatus st = replaceFile(datei, fensterText(f));
  return st.ok() ? 0 : (st.err != 0 ? st.err : EIO);
}

}  // namespace welvaro
