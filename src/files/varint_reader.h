// Reading the packed drawings of the map (lines, land): a little-endian
// 32-bit word of the header, and the varints (7 bits a byte, low group
// first, at most 32 bits) and zigzag numbers that follow it, each byte
// checked before it is used.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace welvaro {

/// The little-endian 32-bit word at byte `at` of `b` (the caller checked
/// that four bytes are there).
inline std::uint32_t word32(std::string_view b, std::size_t at) {
  std::uint32_t v = 0;
  for (int k = 3; k >= 0; --k) v = (v << 8) | static_cast<unsigned char>(b[at + static_cast<std::size_t>(k)]);
  return v;
}

class VarintReader {
 public:
  VarintReader(std::string_view b, std::size_t start) : b_(b), pos_(start) {}
  bool atEnd() const { return pos_ >= b_.size(); }
  bool byte(std::uint8_t& v) {
    if (atEnd()) return false;
    v = static_cast<std::uint8_t>(b_[pos_++]);
    return true;
  }
  // At most five bytes (32 bits).
  bool varint(std::uint32_t& v) {
    v = 0;
    for (int shift = 0; shift < 35; shift += 7) {
      std::uint8_t c = 0;
      if (!byte(c)) return false;
      if (shift == 28 && c > 0x0F) return false;  // more than 32 bits
      v |= static_cast<std::uint32_t>(c & 0x7F) << shift;
      if ((c & 0x80) == 0) return true;
    }
    return false;
  }
  bool zigzag(std::int64_t& v) {
    std::uint32_t u = 0;
    if (!varint(u)) return false;
    v = (u & 1) ? -static_cast<std::int64_t>(u >> 1) - 1 : static_cast<std::int64_t>(u >> 1);
    return true;
  }

 private:
  std::string_view b_;
  std::size_t pos_;
};

}  // namespace welvaro
