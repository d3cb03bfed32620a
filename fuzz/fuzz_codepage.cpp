// The Windows-1252 conversions from arbitrary bytes, both ways.
#include <cstdint>
#include <string>

#include "files/codepage.h"
#include "fuzz_check.h"

using namespace welvaro;

namespace {

// Characters of well-formed UTF-8 (continuation bytes not counted).
std::size_t character(std::string_view utf8) {
  std::size_t n = 0;
  for (char c : utf8)
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++n;
  return n;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);

  // Bytes of the code page: every one has a character, and they come back.
  const std::string utf8 = cp1252ToUtf8(bytes);
  FUZZ_CHECK(isUtf8(utf8));
  FUZZ_CHECK(character(utf8) == bytes.size());
  FUZZ_CHECK(utf8ToCp1252(utf8) == std::string(bytes));

  // The same bytes taken as UTF-8: each character becomes its code-page
  // byte, its nearest letters (at most four, as Щ -> "Shch"; none for a
  // combining mark) or '?', each byte of a malformed sequence a '?'. So the
  // bytes are at most twice as many as went in.
  const std::string cp = utf8ToCp1252(bytes);
  FUZZ_CHECK(cp.size() <= 2 * bytes.size());
  // The text as the code page's files hold it is well-formed UTF-8 and
  // exactly those bytes, both ways.
  const std::string held = codepageOnly(bytes);
  FUZZ_CHECK(isUtf8(held));
  FUZZ_CHECK(cp1252ToUtf8(cp) == held);
  FUZZ_CHECK(utf8ToCp1252(held) == cp);
  if (isUtf8(bytes)) {
    FUZZ_CHECK(cp.size() <= 4 * character(bytes));
    // A text the code page holds as it is comes back unchanged, one byte
    // per character.
    if (held == bytes) {
      FUZZ_CHECK(cp.size() == character(bytes));
      FUZZ_CHECK(cp1252ToUtf8(cp) == std::string(bytes));
    }
  }
  return 0;
}
