#include "files/codepage.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

namespace welvaro {

namespace {

// Characters of the bytes 0x80..0x9F. The five free positions map to the
// C1 control character of the same number.
constexpr char32_t kUpperHalf[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  // 80..87
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  // 88..8F
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  // 90..97
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,  // 98..9F
};

char32_t charOfByte(unsigned char b) {
  if (b >= 0x80 && b <= 0x9F) return kUpperHalf[b - 0x80];
  return b;  // ASCII and 0xA0..0xFF are Latin-1
}

// Byte of a character, or -1 when the code page has none.
int byteOfChar(char32_t c) {
  if (c < 0x80 || (c >= 0xA0 && c <= 0xFF)) return static_cast<int>(c);
  for (int i = 0; i < 32; ++i)
    if (kUpperHalf[i] == c) return 0x80 + i;
  return -1;
}

void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

// Decodes one UTF-8 character at `i`. Returns the number of bytes it takes
// (at least 1) and sets `c`; a malformed start byte gives length 1 and
// `ok` false.
std::size_t decode(std::string_view s, std::size_t i, char32_t& c, bool& ok) {
  const auto b0 = static_cast<unsigned char>(s[i]);
  ok = false;
  c = 0;
  if (b0 < 0x80) {
    c = b0;
    ok = true;
    return 1;
  }
  std::size_t n;
  char32_t min;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
    c = b0 & 0x1F;
    min = 0x80;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    c = b0 & 0x0F;
    min = 0x800;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    c = b0 & 0x07;
    min = 0x10000;
  } else {
    return 1;  // continuation byte, C0/C1 or F5..FF as a start
  }
  if (i + n > s.size()) return 1;
  for (std::size_t k = 1; k < n; ++k) {
    const auto b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 1;
    c = (c << 6) | (b & 0x3F);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 1;
  ok = true;
  return n;
}

struct Transliteration {
  char32_t character;
  const char* letters;  // UTF-8, every character in the code page
};

constexpr Transliteration kTransliterations[] = {
#include "files/translit_table.inc"
};

// The nearest letters of the code page for a character it cannot hold, or
// null when there are none (CJK, symbols, emoji).
const char* transliteration(char32_t c) {
  const auto* end = std::end(kTransliterations);
  const auto* it = std::lower_bound(std::begin(kTransliterations), end, c,
                                    [](const Transliteration& u, char32_t z) { return u.character < z; });
  return it != end && it->character == c ? it->letters : nullptr;
}

// Calls `character(text)` for each character of `utf8` as UTF-8 text the code
// page can hold: itself, its nearest letters, or '?'.
template <class F>
void eachCharInCodepage(std::string_view utf8, F character) {
  std::string isOne;
  for (std::size_t i = 0; i < utf8.size();) {
    char32_t c;
    bool ok;
    const std::size_t n = decode(utf8, i, c, ok);
    if (!ok) {
      character(std::string_view(&kCp1252Replacement, 1));
    } else if (byteOfChar(c) >= 0) {
      character(utf8.substr(i, n));
    } else if (const char* u = transliteration(c)) {
      character(std::string_view(u));
    } else {
      character(std::string_view(&kCp1252Replacement, 1));
    }
    i += n;
  }
}

}  // namespace

std::string cp1252ToUtf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() + bytes.size() / 4);
  for (char ch : bytes) appendUtf8(out, charOfByte(static_cast<unsigned char>(ch)));
  return out;
}

std::string utf8ToCp1252(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  eachCharInCodepage(utf8, [&out](std::string_view z) {
    for (std::size_t i = 0; i < z.size();) {
      char32_t c;
      bool ok;
      i += decode(z, i, c, ok);
      out += static_cast<char>(byteOfChar(c));
    }
  });
  return out;
}

std::string codepageOnly(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  eachCharInCodepage(utf8, [&out](std::string_view z) { out += z; });
  return out;
}

bool isUtf8(std::string_view bytes) {
  for (std::size_t i = 0; i < bytes.size();) {
    char32_t c;
    bool ok;
    i += decode(bytes, i, c, ok);
    if (!ok) return false;
  }
  return true;
}

}  // namespace welvaro
