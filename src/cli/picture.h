// welvaro-cli map and chart as PNG pictures at any size: --png FILE
// [--size WxH], for the map also --projection rect|azimuthal, --greyline
// and the path A-B with --b LAT,LON [--path S|L]. The picture carries the
// coastlines, land and sea, the scales, the colour bar and its caption;
// --size is the size of the whole PNG file.
#pragma once

#include <filesystem>
#include <string>

#include "cli/options.h"
#include "display/bitmap.h"
#include "display/projection.h"
#include "state/state.h"

namespace welvaro::cli {

struct PictureOptions {
  std::string png;            ///< --png FILE; empty: the bitmap is written as before
  int width = 0, height = 0;  ///< --size WxH; 0: the default size
  Projection projection = Projection::Rectangular;
  bool greyline = false;  ///< night side and terminator
  bool path = false;      ///< path A-B (map: given by --b)
  std::size_t bytes = 0;  ///< length of the file written
};

/// The picture options of a call: --png, --size, --projection, --greyline,
/// and the path A-B when the map is given --b.
PictureOptions pictureOptions(const Invocation& a);

/// Check across options: --size, --projection and --greyline need --png.
void checkPicture(const Invocation& a);

/// The world map of the table already parsed into `s` (station A from the
/// table's header), at the UTC time of Zeitpunkt and the frequency
/// AktFrequenz, level or field strength by PegelFlag (the outlook from
/// AvailabilityTables with OutlookFlag); written to b.png, with the
/// coastlines and borders of `lines` (MapLinien.dat) and the land and sea
/// of `land` (MapLand.dat) where no signal arrives.
DisplayStatus mapPng(State& s, PictureOptions& b, const std::filesystem::path& lines,
                     const std::filesystem::path& land);

/// The chart of the link A-B (runs the day-corrected forecast, at the three
/// availabilities for the outlook); written to b.png. A model fault writes
/// nothing and is returned as `fault`.
DisplayStatus chartPng(State& s, PictureOptions& b);

/// "FILE: 1280 x 660 pixels, N bytes".
std::string pngMessage(const PictureOptions& b);

}  // namespace welvaro::cli
