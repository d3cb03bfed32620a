// PNG files of the pictures drawn at any size: 8-bit RGB, not interlaced,
// one zlib stream, each row with the filter that suits it best.
#pragma once

#include <cstdint>
#include <string>

namespace welvaro {

/// The file image of a breite x hoehe picture whose pixels are 0xAARRGGBB
/// (the alpha byte is not written). Empty when the picture has no pixels or
/// the compression fails.
std::string pngImage(const std::uint32_t* pixel, int width, int height);

}  // namespace welvaro
