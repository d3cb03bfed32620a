// The window's preferences file "WelvaroFenster.ini" from arbitrary bytes:
// every value the reader takes lies in its range (so the window never asks
// for a picture no memory holds), what it took is written back as a file it
// reads again the same, and the file on disk reads as its text does.
#include <cstdint>
#include <string>
#include <tuple>

#include "files/window_prefs.h"
#include "fuzz_check.h"

using namespace welvaro;

namespace {

FUZZ_UNTRACED auto fields(const WindowPrefs& f) {
  return std::tuple(f.x, f.y, f.width, f.height, f.maximized, f.projection, f.zoneFollows);
}

FUZZ_UNTRACED void checkRanges(const WindowPrefs& f) {
  FUZZ_CHECK(f.x >= kWindowPlaceMin && f.x <= kWindowPlaceMax);
  FUZZ_CHECK(f.y >= kWindowPlaceMin && f.y <= kWindowPlaceMax);
  FUZZ_CHECK(f.width == 0 || (f.width >= kWindowMinWidth && f.width <= kWindowSizeMax));
  FUZZ_CHECK(f.height == 0 || (f.height >= kWindowMinHeight && f.height <= kWindowSizeMax));
  FUZZ_CHECK(f.projection == 0 || f.projection == 1);
  FUZZ_CHECK(f.zoneFollows >= -1 && f.zoneFollows <= 1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  static fuzz::MemFile file;
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  const WindowPrefs f = windowPrefsFromText(text);
  checkRanges(f);
  FUZZ_CHECK(fields(windowPrefsFromText(windowPrefsText(f))) == fields(f));

  // Through the file: the same values, or the start values for a file
  // larger than a preferences file can be.
  file.set(text);
  const WindowPrefs fromFile = readWindowPrefs(file.path());
  FUZZ_CHECK(fields(fromFile) == (size <= 4096 ? fields(f) : fields(WindowPrefs{})));
  return 0;
}
