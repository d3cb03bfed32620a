#include "cli/picture.h"

#include <algorithm>
#include <cstdio>
#include <vector>
#include <filesystem>
#include <memory>

#include "display/caption.h"
#include "display/chart_picture.h"
#include "display/map_picture.h"
#include "files/datafiles.h"
#include "files/fileio.h"
#include "files/map_lines.h"
#include "files/landareas.h"
#include "files/png.h"
#include "forecast/availability.h"
#include "forecast/tageskorr.h"
#include "state/calendar.h"
#include "state/numtext.h"

namespace welvaro::cli {

namespace {

// Default sizes of the whole picture: the rectangular map then is 1081 x 541
// pixels (three per degree), the azimuthal one a disc of 721 pixels, with
// the scales, the colour bar and up to three lines of caption around them.
constexpr int kWidth = 1280, kHeight = 660;
constexpr int kAzWidth = 980, kAzHeight = 860;

// Lines and font grow with the picture beyond its default size.
double scaleFor(int w, int h, int w0, int h0) {
  return std::max(1.0, std::floor(std::min(static_cast<double>(w) / w0, static_cast<double>(h) / h0) * 2) / 2);
}

// Station A, the conditions and the day of the table, from its header: the
// month (the first item), the third and fourth items, availability and
// sunspot number (the ninth and tenth) and the date dd.mm.yyyy (the
// twelfth). The day is the date of the picture (its caption and its sun);
// without it the day of Zeitpunkt is taken. The table keeps no name of
// station A.
void fromHeader(State& s) {
  std::vector<std::string> items;
  for (std::size_t from = 0, to; (to = s.TabText.find(':', from)) != std::string::npos; from = to + 1)
    items.push_back(s.TabText.substr(from, to - from));
  DateTime day = s.Zeitpunkt;
  if (items.size() >= 12) {
    s.X1 = std::clamp(ReadNumber(items[2]), -90.0, 90.0);
    s.Y1 = static_cast<float>(std::clamp(ReadNumber(items[3]), -180.0, 180.0));
    s.Iproz = ReadNumber(items[8]);
    s.Ssna = ReadNumber(items[9]);
    s.OrtA.clear();
    if (const double m = ReadNumber(items[0]); m >= 1 && m <= 12) s.Monat = static_cast<float>(m);
    const std::string& d = items[11];
    int t = 0, m = 0, j = 0;
    if (d.size() == 10 && std::sscanf(d.c_str(), "%2d.%2d.%4d", &t, &m, &j) == 3 && m >= 1 && m <= 12 && t >= 1 &&
        j >= 1601 && t <= daysInMonth(j, m))
      day = {j, m, t, 12, 0, 0};
  }
  setYearValues(s, day);
  s.Jetzt = day;
  s.Zeitpunkt.year = day.year;
  s.Zeitpunkt.month = day.month;
  s.Zeitpunkt.day = day.day;
}

std::string writeText(const std::uint32_t* pixel, int w, int h, PictureOptions& b) {
  const std::string png = pngImage(pixel, w, h);
  if (png.empty()) return b.png + ": cannot compress the picture";
  b.bytes = png.size();
  const FileStatus st = replaceFile(b.png, png);
  return st.ok() ? std::string() : st.message;
}

}  // namespace

PictureOptions pictureOptions(const Invocation& a) {
  PictureOptions b;
  b.png = a.png;
  b.width = a.pictureWidth;
  b.height = a.pictureHeight;
  b.projection = a.azimuthal ? Projection::Azimuthal : Projection::Rectangular;
  b.greyline = a.has("--greyline");
  b.path = a.has("--b");
  return b;
}

void checkPicture(const Invocation& a) {
  if (a.png.empty() && (a.has("--size") || a.has("--projection") || a.has("--greyline")))
    throw BadArgument{"--size, --projection and --greyline need --png FILE"};
}

DisplayStatus mapPng(State& s, PictureOptions& b, const std::filesystem::path& linesFile,
                     const std::filesystem::path& landFile) {
  fromHeader(s);
  const bool az = b.projection == Projection::Azimuthal;
  const int w = b.width ? b.width : (az ? kAzWidth : kWidth);
  const int h = b.height ? b.height : (az ? kAzHeight : kHeight);
  b.width = w;
  b.height = h;

  MapLines lines;
  DisplayStatus st;
  // Missing lines leave the map without coasts; damaged ones are an error.
  if (const DataFileStatus l = loadMapLines(linesFile, lines); l.broken()) {
    st.message = l.message();
    return st;
  }
  LandAreas land;
  readLandAreas(landFile, land);
  auto picture = std::make_unique<MapPicture>();
  picture->setLines(&lines);
  picture->setLandAreas(&land);
  MapView a;
  a.projection = b.projection;
  a.frequency = s.AktFrequenz;
  a.utcMinute = s.Zeitpunkt.hour * 60 + s.Zeitpunkt.minute;
  a.level = s.PegelFlag == 1;
  a.outlook = s.OutlookFlag == 1;
  a.greyline = b.greyline;
  a.path = b.path;
  a.scales = true;
  a.scale = az ? scaleFor(w, h, kAzWidth, kAzHeight) : scaleFor(w, h, kWidth, kHeight);
  a.caption = mapCaption(s, {.projection = a.projection, .frequency = a.frequency, .utcMinute = a.utcMinute,
                             .level = a.level, .outlook = a.outlook, .pointB = a.path, .night = a.greyline,
                             .land = !land.empty()});
  const std::uint32_t* pixel = picture->render(s, a, w, h);
  st.message = writeText(pixel, w, h, b);
  return st;
}

DisplayStatus chartPng(State& s, PictureOptions& b) {
  DisplayStatus st;
  s.X2 = s.OrtX2;
  s.Y2 = s.OrtY2;
  st.fault = s.OutlookFlag == 1 ? forecastAvailabilities(s) : prgTageskorr(s);
  if (st.fault != 0) return st;
  const int w = b.width ? b.width : kWidth, h = b.height ? b.height : kHeight;
  b.width = w;
  b.height = h;
  auto picture = std::make_unique<ChartPicture>();
  ChartView a;
  a.level = s.PegelFlag == 1;
  a.outlook = s.OutlookFlag == 1;
  a.scales = true;
  a.scale = scaleFor(w, h, kWidth, kHeight);
  // The chart is the forecast of a day: the day taken as today.
  s.Zeitpunkt = {s.Jetzt.year, s.Jetzt.month, s.Jetzt.day, 0, 0, 0};
  a.caption = chartCaption(s, {.level = a.level, .outlook = a.outlook});
  st.message = writeText(picture->render(s, a, w, h), w, h, b);
  return st;
}

std::string pngMessage(const PictureOptions& b) {
  return b.png + ": " + std::to_string(b.width) + " x " + std::to_string(b.height) + " pixels, " +
         std::to_string(b.bytes) + " bytes\n";
}

}  // namespace welvaro::cli
