// The overlay masks drawn over the displays: "MapWelt.dat" (world map,
// 271 rows of 544 bytes) and "MapOrt.dat" (frequency/time chart, 271 rows
// of 532 bytes), the pixel rows of an 8-bit bitmap, bottom row first.
// A byte of 0..16 lets the computed colour show; a byte v above 16 paints
// grey palette entry 128 + v / 2.
#pragma once

#include <cstddef>
#include <filesystem>
#include <string>

#include "files/read_limits.h"
#include "state/state.h"

namespace welvaro {

inline constexpr std::size_t kWorldOverlayLength = kWorldOverlayReadLimit;  ///< 271 x 544 bytes
inline constexpr std::size_t kChartOverlayLength = kChartOverlayReadLimit;  ///< 271 x 532 bytes

enum class OverlayStatus {
  kRead,         ///< the file was read
  kMissing,      ///< no such file, or not a regular file (never opened): all-zero overlay
  kWrongLength,  ///< the file is not of the overlay's length: all-zero overlay
  kUnreadable,   ///< the file could not be read: all-zero overlay
};

/// Reads an overlay file of exactly `length` bytes whole into `mask`. Any
/// other file (missing, of another length, unreadable) gives `length` zero
/// bytes, so the display shows its computed colours only.
OverlayStatus readOverlay(const std::filesystem::path& file, std::size_t length, std::string& mask);

/// Both overlays of the start-up: Weltkarte from `worldFile`, Ortskarte from
/// `chartFile`.
void readOverlays(State& s, const std::filesystem::path& worldFile, const std::filesystem::path& chartFile);

}  // namespace welvaro
