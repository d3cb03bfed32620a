#include "files/overlay.h"

#include "files/fileio.h"

namespace welvaro {

OverlayStatus readOverlay(const std::filesystem::path& file, std::size_t length, std::string& mask) {
  mask.assign(length, '\0');
  std::string bytes;
  const FileStatus r = readWholeFile(file, bytes, length);
  if (r.kind == FileStatus::kMissing) return OverlayStatus::kMissing;
  if (r.kind == FileStatus::kError) return OverlayStatus::kUnreadable;
  if (!r.ok() || bytes.size() != length) return OverlayStatus::kWrongLength;
  mask.swap(bytes);
  return OverlayStatus::kRead;
}

void readOverlays(State& s, const std::filesystem::path& worldFile, const std::filesystem::path& chartFile) {
  readOverlay(worldFile, kWorldOverlayLength, s.Weltkarte);
  readOverlay(chartFile, kChartOverlayLength, s.Ortskarte);
}

}  // namespace welvaro
