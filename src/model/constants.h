// Constants of the propagation model, exactly as the model uses them.
// Several are truncated on purpose: the forecasts are rounded to whole dB,
// and only these values reproduce the published results to the last dB.
#pragma once

namespace welvaro::k {

inline constexpr double Pi = 3.141592653589;        // truncated on purpose
inline constexpr double HalfPi = 1.5707963267945;  // truncated on purpose
inline constexpr double TwoPi = 6.283185307178;    // truncated on purpose
inline constexpr double DegToRad = 0.01745329251993889;  // degrees to radians, truncated on purpose
inline constexpr double RadToDeg = 57.29577951309679;    // radians to degrees (180 / truncated pi)
inline constexpr double DegToRadAz = 0.017453292519943295;  // degrees to radians for the bearing at B
inline constexpr double BearingFactor = 114.5916;      // 360 / pi, truncated on purpose
inline constexpr double Ln10 = 2.3025851;           // ln 10, truncated on purpose
inline constexpr double EarthRadius = 6371.2;         // km

}  // namespace welvaro::k
