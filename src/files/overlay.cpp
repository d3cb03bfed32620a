#include "files/overlay.h"

#include <fstream>
#include <system_error>

namespace welvaro {

OverlayStatus readOverlay(const std::filesystem::path& file, std::size_t length, std::string& mask) {
  mask.assign(length, '\0');
  std::error_code ec;
  if (!std::filesystem::exists(file, ec)) return OverlayStatus::kMissing;
  if (!std::filesystem::is_regular_file(file, ec)) return OverlayStatus::kUnreadable;
  const auto groesse = std::filesystem::file_size(file, ec);
  if (ec) return OverlayStatus::kUnreadable;
  if (groesse != length) return OverlayStatus::kWrongLength;
  std::ifstream in(file, std::ios::binary);
  std::string bytes(length, '\0');
  if (!in.read(bytes.data(), static_cast<std::streamsize>(length)) || in.peek() != std::ifstream::traits_type::eof())
    return OverlayStatus::kUnreadable;  // shorter or longer than it was a moment ago
  mask.swap(bytes);
  return OverlayStatus::kRead;
}

void readOverlays(State& s, const std::filesystem::path& weltFile, const std::filesystem::path& ortFile) {
  readOverlay(weltFile, kWeltkarteLaenge, s.Weltkarte);
  readOverlay(ortFile, kOrtskarteLaenge, s.Ortskarte);
}

}  // namespace welvaro
