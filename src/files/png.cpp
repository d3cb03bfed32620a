#include "files/png.h"

#include <zlib.h>

#include <array>
#include <cstdlib>
#include <vector>

namespace welvaro {

namespace {

void word(std::string& b, std::uint32_t v) {
  for (int k = 3; k >= 0; --k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

// A chunk: length, type, data and the CRC of type and data.
void block(std::string& b, const char* type, const std::string& data) {
  word(b, static_cast<std::uint32_t>(data.size()));
  const std::string content = std::string(type, 4) + data;
  b += content;
  word(b, static_cast<std::uint32_t>(
              crc32(0L, reinterpret_cast<const Bytef*>(content.data()), static_cast<uInt>(content.size()))));
}

int paeth(int a, int b, int c) {
  const int p = a + b - c, pa = std::abs(p - a), pb = std::abs(p - b), pc = std::abs(p - c);
  if (pa <= pb && pa <= pc) return a;
  return pb <= pc ? b : c;
}

}  // namespace

std::string pngImage(const std::uint32_t* pixel, int width, int height) {
  if (pixel == nullptr || width <= 0 || height <= 0) return {};
  const std::size_t row = static_cast<std::size_t>(width) * 3;

  std::string head;
  word(head, static_cast<std::uint32_t>(width));
  word(head, static_cast<std::uint32_t>(height));
  head += '\x08';  // bits per sample
  head += '\x02';  // RGB
  head += '\0';    // deflate
  head += '\0';    // adaptive filters
  head += '\0';    // not interlaced
  std::string b("\x89PNG\r\n\x1a\n", 8);
  block(b, "IHDR", head);

  // The rows are filtered and compressed one at a time, and the compressed
  // stream goes out in IDAT chunks of up to kStueck bytes, so that memory
  // beyond the file itself stays a few rows whatever the picture's size.
  constexpr std::size_t kChunk = 1 << 18;
  z_stream z{};
  if (deflateInit(&z, 6) != Z_OK) return {};
  std::string piece(kChunk, '\0');
  const auto deflateOut = [&](int flush, const unsigned char* data, std::size_t n) {
    z.next_in = const_cast<Bytef*>(data);
    z.avail_in = static_cast<uInt>(n);
    int rc = Z_OK;
    do {
      if (z.avail_out == 0) {
        block(b, "IDAT", piece);
        z.next_out = reinterpret_cast<Bytef*>(piece.data());
        z.avail_out = static_cast<uInt>(kChunk);
      }
      rc = deflate(&z, flush);
      if (rc == Z_STREAM_ERROR) return false;
    } while (z.avail_in > 0 || (flush == Z_FINISH && rc != Z_STREAM_END));
    return true;
  };
  z.next_out = reinterpret_cast<Bytef*>(piece.data());
  z.avail_out = static_cast<uInt>(kChunk);

  // Filtered rows: a filter byte, then the row. Per row the filter with the
  // smallest sum of bytes taken as signed values (the usual choice).
  std::vector<unsigned char> now(row), before(row, 0), filtered(row + 1);
  std::array<std::vector<unsigned char>, 5> candidate;
  for (auto& k : candidate) k.resize(row);
  bool ok = true;
  for (int y = 0; y < height && ok; ++y) {
    const std::uint32_t* p = pixel + static_cast<std::size_t>(y) * width;
    for (int x = 0; x < width; ++x) {
      now[3 * x] = static_cast<unsigned char>(p[x] >> 16);
      now[3 * x + 1] = static_cast<unsigned char>(p[x] >> 8);
      now[3 * x + 2] = static_cast<unsigned char>(p[x]);
    }
    std::size_t bestFilter = 0;
    long bestSum = -1;
    for (std::size_t f = 0; f < 5; ++f) {
      long sum = 0;
      for (std::size_t i = 0; i < row; ++i) {
        const int a = i >= 3 ? now[i - 3] : 0, b = before[i], c = i >= 3 ? before[i - 3] : 0;
        const int prediction = f == 0 ? 0 : f == 1 ? a : f == 2 ? b : f == 3 ? (a + b) / 2 : paeth(a, b, c);
        const auto v = static_cast<unsigned char>(now[i] - prediction);
        candidate[f][i] = v;
        sum += v < 128 ? v : 256 - v;
      }
      if (bestSum < 0 || sum < bestSum) {
        bestSum = sum;
        bestFilter = f;
      }
    }
    filtered[0] = static_cast<unsigned char>(bestFilter);
    std::copy(candidate[bestFilter].begin(), candidate[bestFilter].end(), filtered.begin() + 1);
    ok = deflateOut(Z_NO_FLUSH, filtered.data(), filtered.size());
    now.swap(before);
  }
  ok = ok && deflateOut(Z_FINISH, nullptr, 0);
  deflateEnd(&z);
  if (!ok) return {};
  piece.resize(kChunk - z.avail_out);
  if (!piece.empty()) block(b, "IDAT", piece);
  block(b, "IEND", {});
  return b;
}

}  // namespace welvaro
