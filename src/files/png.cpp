#include "files/png.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace welvaro {

namespace {

void wort(std::string& b, std::uint32_t v) {
  for (int k = 3; k >= 0; --k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A chunk: length, type, data and the CRC of type and data.
void block(std::string& b, const char* typ, const std::string& daten) {
  wort(b, static_cast<std::uint32_t>(daten.size()));
  const std::string inhalt = std::string(typ, 4) + daten;
  b += inhalt;
  wort(b, static_cast<std::uint32_t>(
              crc32(0L, reinterpret_cast<const Bytef*>(inhalt.data()), static_cast<uInt>(inhalt.size()))));
}

int paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

std::string pngBild(const std::uint32_t* pixel, int breite, int hoehe) {
  if (pixel == nullptr || breite <= 0 || hoehe <= 0) return {};
  const std::size_t zeile = static_cast<std::size_t>(breite) * 3;
  // Filtered rows: a filter byte, then the row. Per row the filter with the
  // smallest sum of bytes taken as signed values (the usual choice).
  std::vector<unsigned char> roh((zeile + 1) * static_cast<std::size_t>(hoehe));
  std::vector<unsigned char> jetzt(zeile), vorher(zeile, 0);
  std::array<std::vector<unsigned char>, 5> kandidat;
  for (auto& k : kandidat) k.resize(zeile);
  for (int y = 0; y < hoehe; ++y) {
    const std::uint32_t* p = pixel + static_cast<std::size_t>(y) * breite;
    for (int x = 0; x < breite; ++x) {
      jetzt[3 * x] = static_cast<unsigned char>(p[x] >> 16);
      jetzt[3 * x + 1] = static_cast<unsigned char>(p[x] >> 8);
      jetzt[3 * x + 2] = static_cast<unsigned char>(p[x]);
    }
    std::size_t besterFilter = 0;
    long besteSumme = -1;
    for (std::size_t f = 0; f < 5; ++f) {
      long summe = 0;
      for (std::size_t i = 0; i < zeile; ++i) {
        const int a = i >= 3 ? jetzt[i - 3] : 0, b = vorher[i], c = i >= 3 ? vorher[i - 3] : 0;
        const int vorhersage = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : paeth(a, b, c);
        const auto v = static_cast<unsigned char>(jetzt[i] - vorhersage);
        kandidat[f][i] = v;
        summe += v < 128 ? v : 256 - v;
      }
      if (besteSumme < 0 || summe < besteSumme) {
        besteSumme = summe;
        besterFilter = f;
      }
    }
    unsigned char* ziel = roh.data() + static_cast<std::size_t>(y) * (zeile + 1);
    ziel[0] = static_cast<unsigned char>(besterFilter);
    std::copy(kandidat[besterFilter].begin(), kandidat[besterFilter].end(), ziel + 1);
    jetzt.swap(vorher);
  }

  uLongf laenge = compressBound(static_cast<uLong>(roh.size()));
  std::string gepackt(laenge, '\0');
  if (compress2(reinterpret_cast<Bytef*>(gepackt.data()), &laenge, roh.data(), static_cast<uLong>(roh.size()), 6) !=
      Z_OK)
    return {};
  gepackt.resize(laenge);

  std::string kopf;
  wort(kopf, static_cast<std::uint32_t>(breite));
  wort(kopf, static_cast<std::uint32_t>(hoehe));
  kopf += '\x08';  // bits per sample
  kopf += '\x02';  // RGB
  kopf += '\0';    // deflate
  kopf += '\0';    // adaptive filters
  kopf += '\0';    // not interlaced

  std::string b("\x89PNG\r\n\x1a\n", 8);
  block(b, "IHDR", kopf);
  block(b, "IDAT", gepackt);
  block(b, "IEND", {});
  return b;
}

}  // namespace welvaro
