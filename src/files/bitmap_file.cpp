#include "files/bitmap_file.h"

#include <cstdint>

#include "files/programdir.h"

namespace welvaro {

namespace {


void word(std::string& b, std::uint16_t v) {
  b += static_cast<char>(v & 0xFF);
  b += static_cast<char>(v >> 8);
}

void dword(std::string& b, std::uint32_t v) {
  for (int k = 0; k < 4; ++k) b += static_cast<char>((v >> (8 * k)) & 0xFF);
}

}  // namespace

std::string bmpHeader(int width) {
  const std::uint32_t row = static_cast<std::uint32_t>((width + 3) / 4 * 4);
  const std::uint32_t data = row * kBitmapHeight;
  std::string b;
  b.reserve(kBmpHeaderLength);
  b += "BM";
  dword(b, static_cast<std::uint32_t>(kBmpDataStart) + data);  // file size
  dword(b, 0);                                                   // reserved
  dword(b, static_cast<std::uint32_t>(kBmpDataStart));          // offset of the pixels
  dword(b, 40);                                                  // information header size
  dword(b, static_cast<std::uint32_t>(width));
  dword(b, kBitmapHeight);  // positive: rows bottom-up
  word(b, 1);                 // planes
  word(b, 8);                 // bits per pixel
  dword(b, 0);           // no compression
  dword(b, data);
  dword(b, 0);  // horizontal resolution
  dword(b, 0);  // vertical resolution
  dword(b, 256);
  dword(b, 256);
  return b;
}

FileStatus writeBitmapFile(const State& s, std::string_view name, std::string_view picture) {
  const std::filesystem::path file = ownFile(s, name);
  if ((picture.size() != kWorldBitmapLength && picture.size() != kChartBitmapLength) || !picture.starts_with("BM"))
    return fileStatus(FileStatus::kWrongLength, file, "not a whole picture; not written");
  return replaceFile(file, picture, Durability::kVolatile);
}

}  // namespace welvaro
