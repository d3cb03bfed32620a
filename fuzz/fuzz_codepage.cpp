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

  // The same bytes taken as UTF-8: one byte out per character, or per byte
  // of a malformed sequence; never longer than what went in.
  const std::string cp = utf8ToCp1252(bytes);
  FUZZ_CHECK(cp.size() <= bytes.size());
  if (isUtf8(bytes)) {
    FUZZ_CHECK(cp.size() == character(bytes));
    // What the code page could hold survives the way back.
    const std::string back = cp1252ToUtf8(cp);
    FUZZ_CHECK(utf8ToCp1252(back) == cp);
    if (cp.find('?') == std::string::npos) FUZZ_CHECK(back == std::string(bytes));
  }
  return 0;
}
