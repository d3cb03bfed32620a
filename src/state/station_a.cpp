#include "state/station_a.h"

#include <cmath>

namespace welvaro {

double cutToTenth(double degrees) { return std::floor(degrees * 10 + 0.001) / 10; }

void setStationALatitude(State& s, double latitude) {
  s.X1 = latitude;
  s.StationALatitude = latitude;
}

void setStationALongitude(State& s, float longitude) {
  s.Y1 = longitude;
  s.StationALongitude = longitude;
}

StationAPosition enteredStationA(const State& s) {
  const double lat = s.StationALatitude;
  const float lon = s.StationALongitude;
  StationAPosition p;
  p.latitude = s.X1 == lat || s.X1 == cutToTenth(lat) ? lat : s.X1;
  p.longitude = s.Y1 == lon || s.Y1 == static_cast<float>(cutToTenth(lon)) ? lon : s.Y1;
  return p;
}

}  // namespace welvaro
