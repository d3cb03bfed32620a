#include "files/places.h"

#include <cmath>
#include <cstdio>
#include <system_error>

#include "files/codepage.h"
#include "files/datafiles.h"
#include "state/numtext.h"

namespace welvaro {

std::vector<std::string> placeItems(std::string_view text) {
  std::vector<std::string> items;
  std::size_t i = 0;
  const std::size_t n = text.size();
  auto separator = [&](std::size_t p) { return text[p] == ',' || text[p] == '\n' || text[p] == '\r'; };
  // Steps over one separator; CR LF counts as one line end.
  auto skipSeparators = [&] {
    if (i >= n) return;
    if (text[i] == '\r' && i + 1 < n && text[i + 1] == '\n') ++i;
    ++i;
  };
  while (i < n) {
    while (i < n && (text[i] == ' ' || text[i] == '\t')) ++i;
    std::string item;
    if (i < n && text[i] == '"') {
      const std::size_t start = ++i;
      while (i < n && text[i] != '"') ++i;
      item.assign(text.substr(start, i - start));
      while (i < n && !separator(i)) ++i;  // the closing quote and anything after it
    } else {
      const std::size_t start = i;
      while (i < n && !separator(i)) ++i;
      std::size_t end = i;
      while (end > start && (text[end - 1] == ' ' || text[end - 1] == '\t')) --end;
      item.assign(text.substr(start, end - start));
    }
    items.push_back(std::move(item));
    skipSeparators();
  }
  return items;
}

void readPlacesText(State& s, std::string_view text) {
  int g = 1;
  for (const std::string& item : placeItems(text)) {
    if (g > kPlacesMax) break;
    const std::size_t p1 = item.find(':');
    if (p1 == std::string::npos) continue;
    const std::size_t p2 = item.find(':', p1 + 1);
    if (p2 == std::string::npos) continue;
    const std::size_t p3 = item.find(':', p2 + 1);
    if (p3 == std::string::npos) continue;
    const std::string_view t(item);
    s.OrtKennung[g] = cp1252ToUtf8(t.substr(0, p1));
    s.OrtName[g] = cp1252ToUtf8(t.substr(p1 + 1, p2 - p1 - 1));
    s.OrtLaenge[g] = static_cast<float>(ReadNumber(t.substr(p2 + 1, p3 - p2 - 1)));
    s.OrtBreite[g] = static_cast<float>(ReadNumber(t.substr(p3 + 1)));
    ++g;
  }
  s.OrtZahl = static_cast<float>(g - 1);
  for (; g <= kPlacesMax; ++g) {
    s.OrtKennung[g].clear();
    s.OrtName[g].clear();
    s.OrtLaenge[g] = 0;
    s.OrtBreite[g] = 0;
  }
}

double placeCellLon(float lon) { return std::floor(static_cast<double>(lon) / 10 + 18); }
double placeCellLat(float lat) { return std::floor(static_cast<double>(lat) / 10 + 9); }

void buildOrtRaster(State& s) {
  const int count = static_cast<int>(s.OrtZahl);
  std::vector<double> zx(static_cast<std::size_t>(count) + 1), zy(static_cast<std::size_t>(count) + 1);
  for (int g = 1; g <= count; ++g) {
    zx[static_cast<std::size_t>(g)] = placeCellLon(s.OrtLaenge[g]);
    zy[static_cast<std::size_t>(g)] = placeCellLat(s.OrtBreite[g]);
  }
  char number[16];
  for (int u = 0; u <= 35; ++u) {
    for (int m = 0; m <= 17; ++m) {
      std::string& cell = s.OrtRaster[u][m];
      cell.clear();
      // Each new place number goes in front, so the highest comes first.
      for (int g = count; g >= 1; --g) {
        const double x = zx[static_cast<std::size_t>(g)], y = zy[static_cast<std::size_t>(g)];
        if (u - 1 <= x && x <= u + 1 && m - 1 <= y && y <= m + 1) {
          std::snprintf(number, sizeof number, "%04d", g);
          cell += number;
        }
      }
      cell += "0000";
    }
  }
}

bool readPlaceFile(State& s, const std::filesystem::path& file, std::string* problem) {
  // No file at all is the normal case without a list; anything else in
  // its place (a folder, a FIFO, a damaged list) is named.
  const DataFileStatus st = loadPlaceList(s, file);
  if (problem && st.broken()) *problem = st.message() + "; no place list";
  return st.read();
}

}  // namespace welvaro
