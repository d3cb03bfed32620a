#include "outlook/outlook.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>

#include "lang/sprachtext.h"
#include "state/numtext.h"

namespace welvaro {

std::string textWith(const State& s, int key, std::initializer_list<std::string> values) {
  std::string t = T(s, key);
  int n = 1;
  for (const std::string& v : values) {
    const std::string mark = "%" + std::to_string(n++);
    if (const auto at = t.find(mark); at != std::string::npos) t.replace(at, mark.size(), v);
  }
  return t;
}

namespace {

std::string lower(std::string_view t) {
  std::string r(t);
  for (char& c : r) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return r;
}

// A whole number of dB as the texts show it: "14", "-3".
std::string wholeDb(double v) { return PlainText(v); }

// A number typed for --mode or --noise: the whole argument, "." as point.
bool number(std::string_view t, double& v) {
  if (t.empty()) return false;
  std::size_t i = 0;
  if (t[i] == '-' || t[i] == '+') ++i;
  bool digits = false, point = false;
  for (; i < t.size(); ++i) {
    if (t[i] >= '0' && t[i] <= '9')
      digits = true;
    else if (t[i] == '.' && !point)
      point = true;
    else
      return false;
  }
  if (!digits) return false;
  v = ReadNumber(t);
  return true;
}

constexpr std::string_view kCustomWord = "custom";
constexpr std::string_view kFloorWord = "floor";

}  // namespace

// ---- Modes ---------------------------------------------------------------

Mode outlookMode(const State& s) {
  return s.OutlookMode >= 0 && s.OutlookMode < kModeCount ? static_cast<Mode>(s.OutlookMode) : Mode::FT8;
}

double requiredSnr(const State& s) {
  const Mode m = outlookMode(s);
  return m == Mode::Custom ? s.CustomSnr : kModeNeeds[static_cast<std::size_t>(m)].requiredDbHz;
}

std::string modeName(const State& s) {
  const Mode m = outlookMode(s);
  if (m == Mode::Custom) return textWith(s, kTxModeCustom, {PlainText(s.CustomSnr)});
  return std::string(kModeNeeds[static_cast<std::size_t>(m)].name);
}

// ---- Noise ---------------------------------------------------------------

Noise noiseEnvironment(const State& s) {
  return s.NoiseEnvironment >= 0 && s.NoiseEnvironment < kNoiseCount ? static_cast<Noise>(s.NoiseEnvironment)
                                                                       : Noise::Residential;
}

double manMadeNoiseFigure(Noise env, double mhz) {
  const ManMadeNoise& n = kManMadeNoise.at(static_cast<std::size_t>(env));
  return n.c - n.d * std::log10(mhz);
}

double galacticNoiseFigure(double mhz) { return 52.0 - 23.0 * std::log10(mhz); }

double noiseFigure(Noise env, double mhz) {
  const double manMade = manMadeNoiseFigure(env, mhz), galactic = galacticNoiseFigure(mhz);
  return 10 * std::log10(std::pow(10.0, manMade / 10) + std::pow(10.0, galactic / 10));
}

double noiseDensity(const State& s, double mhz) {
  const Noise env = noiseEnvironment(s);
  if (env == Noise::MyNoiseFloor) return s.NoiseFloor - kNoiseFloorBandwidthDb;
  return noiseFigure(env, mhz) + kThermalDbmHz;
}

// ---- Outlook -------------------------------------------------------------

Outlook classify(double margin10, double margin50, double margin90) {
  if (margin90 >= 0) return Outlook::Good;
  if (margin50 >= 0) return Outlook::Fair;
  if (margin10 >= 0) return Outlook::Poor;
  return Outlook::Closed;
}

OutlookValue outlookOf(const std::array<double, 3>& levelDbm, double noiseDbmHz, double requiredDbHz) {
  OutlookValue v;
  v.levelDbm = levelDbm;
  v.noiseDbmHz = noiseDbmHz;
  v.requiredDbHz = requiredDbHz;
  for (std::size_t a = 0; a < 3; ++a) {
    v.snrDbHz[a] = levelDbm[a] - noiseDbmHz;
    v.marginDb[a] = v.snrDbHz[a] - requiredDbHz;
  }
  v.outlook = classify(v.marginDb[0], v.marginDb[1], v.marginDb[2]);
  return v;
}

std::string_view outlookWord(Outlook o) {
  switch (o) {
    case Outlook::Good: return "good";
    case Outlook::Fair: return "fair";
    case Outlook::Poor: return "poor";
    case Outlook::Closed: break;
  }
  return "closed";
}

std::string_view outlookSymbol(Outlook o) {
  switch (o) {
    case Outlook::Good: return "\u25CF";  // black circle
    case Outlook::Fair: return "\u25D0";  // circle with left half black
    case Outlook::Poor: return "\u25CB";  // white circle
    case Outlook::Closed: break;
  }
  return "\u2013";  // en dash
}

std::string outlookText(const State& s, Outlook o) {
  switch (o) {
    case Outlook::Good: return T(s, kTxOutlookGood);
    case Outlook::Fair: return T(s, kTxOutlookFair);
    case Outlook::Poor: return T(s, kTxOutlookPoor);
    case Outlook::Closed: break;
  }
  return T(s, kTxOutlookClosed);
}

std::string marginText(const State& s, double marginDb) {
  if (marginDb >= 0) return textWith(s, kTxMarginSpare, {wholeDb(std::floor(marginDb))});
  return textWith(s, kTxMarginShort, {wholeDb(std::ceil(-marginDb))});
}

std::string outlookLine(const State& s, const OutlookValue& v, int a) {
  return textWith(s, kTxOutlookLine,
              {modeName(s), outlookText(s, v.outlook), marginText(s, v.marginDb.at(static_cast<std::size_t>(a)))});
}

std::string outlookNoneLine(const State& s) { return textWith(s, kTxOutlookNone, {modeName(s)}); }

std::string quantityText(const State& s) { return textWith(s, kTxOutlookQuantity, {modeName(s)}); }

// ---- Pictures --------------------------------------------------------------

int outlookIndex(double m10, double m50, double m90) {
  // The share of the way from one availability to the next at which the
  // margin crosses 0, in 27 steps (the last one below the next class).
  const auto share = [](double above, double below) {
    const double f = above / (above - below);  // above >= 0 > below
    return static_cast<int>(std::clamp(std::floor(27 * f), 0.0, 26.0));
  };
  switch (classify(m10, m50, m90)) {
    case Outlook::Good: return kOutlookIndexGood + static_cast<int>(std::clamp(std::floor(m90), 0.0, 27.0));
    case Outlook::Fair: return kOutlookIndexFair + share(m50, m90);
    case Outlook::Poor: return kOutlookIndexPoor + share(m10, m50);
    case Outlook::Closed: break;
  }
  if (!(m10 > -27)) return 0;  // also a margin that is not a number
  return kOutlookIndexPoor - 1 - static_cast<int>(std::floor(-m10));
}

Outlook outlookOfIndex(int index) {
  if (index >= kOutlookIndexGood) return Outlook::Good;
  if (index >= kOutlookIndexFair) return Outlook::Fair;
  if (index >= kOutlookIndexPoor) return Outlook::Poor;
  return Outlook::Closed;
}

OutlookColour outlookColour(Outlook o) {
  switch (o) {
    case Outlook::Good: return {0, 158, 115};
    case Outlook::Fair: return {240, 228, 66};
    case Outlook::Poor: return {213, 94, 0};
    case Outlook::Closed: break;
  }
  return {60, 60, 68};
}

std::string legendWord(const State& s, Outlook o) {
  std::string w = outlookText(s, o), out;
  // ASCII letters and the accented small letters of the four languages.
  static constexpr std::pair<std::string_view, std::string_view> kCapitals[] = {
      {"ä", "Ä"}, {"ö", "Ö"}, {"ü", "Ü"}, {"é", "É"}, {"è", "È"}, {"ê", "Ê"},
      {"à", "À"}, {"ç", "Ç"}, {"ñ", "Ñ"}, {"á", "Á"}, {"í", "Í"}, {"ó", "Ó"}, {"ú", "Ú"}, {"ß", "SS"}};
  for (std::size_t i = 0; i < w.size();) {
    bool done = false;
    for (const auto& [small, capital] : kCapitals)
      if (w.compare(i, small.size(), small) == 0) {
        out += capital;
        i += small.size();
        done = true;
        break;
      }
    if (!done) out += static_cast<char>(std::toupper(static_cast<unsigned char>(w[i++])));
  }
  return out;
}

// ---- The window's lists ---------------------------------------------------

std::vector<OutlookChoice> modeChoices(const State& s) {
  std::vector<OutlookChoice> v;
  for (std::size_t m = 0; m < kModeNeeds.size(); ++m)
    v.push_back({static_cast<int>(m),
                 std::string(kModeNeeds[m].name) + " (" + PlainText(kModeNeeds[m].requiredDbHz) + " dB-Hz)"});
  v.push_back({static_cast<int>(Mode::Custom), textWith(s, kTxModeCustom, {PlainText(s.CustomSnr)})});
  return v;
}

std::vector<OutlookChoice> noiseChoices(const State& s) {
  return {{0, T(s, kTxNoiseCity)},
          {1, T(s, kTxNoiseResidential)},
          {2, T(s, kTxNoiseRural)},
          {3, T(s, kTxNoiseQuiet)},
          {4, textWith(s, kTxNoiseFloor, {PlainText(s.NoiseFloor)})}};
}

bool chooseMode(State& s, int mode, double customDbHz) {
  if (mode < 0 || mode >= kModeCount) return false;
  const bool custom = mode == static_cast<int>(Mode::Custom);
  const bool value = customDbHz >= kCustomSnrMin && customDbHz <= kCustomSnrMax;
  if (custom && !value && !std::isnan(customDbHz)) return false;
  s.OutlookMode = static_cast<int16>(mode);
  if (custom && value) s.CustomSnr = customDbHz;
  return true;
}

bool chooseNoise(State& s, int env, double floorDbm) {
  if (env < 0 || env >= kNoiseCount) return false;
  const bool floor = env == static_cast<int>(Noise::MyNoiseFloor);
  const bool value = floorDbm >= kNoiseFloorMin && floorDbm <= kNoiseFloorMax;
  if (floor && !value && !std::isnan(floorDbm)) return false;
  s.NoiseEnvironment = static_cast<int16>(env);
  if (floor && value) s.NoiseFloor = floorDbm;
  return true;
}

// ---- Command line and preferences ----------------------------------------

std::string modeFromText(State& s, std::string_view text) {
  const std::string w = lower(text);
  for (std::size_t m = 0; m < kModeNeeds.size(); ++m)
    if (w == lower(kModeNeeds[m].name)) {
      s.OutlookMode = static_cast<int16>(m);
      return {};
    }
  double v = 0;
  if (!number(text, v)) return "--mode takes CW, SSB, FT8, FT4, WSPR or a need in dB-Hz";
  if (!chooseMode(s, static_cast<int>(Mode::Custom), v))
    return "--mode: " + std::string(text) + " dB-Hz is outside " + PlainText(kCustomSnrMin) + " .. " +
           PlainText(kCustomSnrMax);
  return {};
}

std::string noiseFromText(State& s, std::string_view text) {
  const std::string w = lower(text);
  for (std::size_t n = 0; n < kManMadeNoise.size(); ++n)
    if (w == kManMadeNoise[n].word) {
      s.NoiseEnvironment = static_cast<int16>(n);
      return {};
    }
  double v = 0;
  if (!number(text, v)) return "--noise takes city, residential, rural, quiet or a noise floor in dBm";
  if (!chooseNoise(s, static_cast<int>(Noise::MyNoiseFloor), v))
    return "--noise: " + std::string(text) + " dBm is outside " + PlainText(kNoiseFloorMin) + " .. " +
           PlainText(kNoiseFloorMax);
  return {};
}

std::string noiseWord(const State& s) {
  const Noise n = noiseEnvironment(s);
  if (n == Noise::MyNoiseFloor) return PlainText(s.NoiseFloor);
  return std::string(kManMadeNoise[static_cast<std::size_t>(n)].word);
}

void outlookFromPreferences(State& s, const WindowPrefs& f) {
  // The custom need and the noise floor are kept whichever mode and noise
  // are chosen, so that choosing them again brings the old value back.
  if (f.modeDbHz >= kCustomSnrMin && f.modeDbHz <= kCustomSnrMax) s.CustomSnr = f.modeDbHz;
  if (f.noiseDbm >= kNoiseFloorMin && f.noiseDbm <= kNoiseFloorMax) s.NoiseFloor = f.noiseDbm;
  const std::string mode = lower(f.mode), noise = lower(f.noise);
  if (mode == kCustomWord) s.OutlookMode = static_cast<int16>(Mode::Custom);
  for (std::size_t m = 0; m < kModeNeeds.size(); ++m)
    if (mode == lower(kModeNeeds[m].name)) s.OutlookMode = static_cast<int16>(m);
  if (noise == kFloorWord) s.NoiseEnvironment = static_cast<int16>(Noise::MyNoiseFloor);
  for (std::size_t n = 0; n < kManMadeNoise.size(); ++n)
    if (noise == kManMadeNoise[n].word) s.NoiseEnvironment = static_cast<int16>(n);
  if (f.outlook >= 0) s.OutlookFlag = static_cast<int16>(f.outlook);
}

void outlookToPreferences(const State& s, WindowPrefs& f) {
  const Mode m = outlookMode(s);
  f.mode = m == Mode::Custom ? std::string(kCustomWord) : std::string(kModeNeeds[static_cast<std::size_t>(m)].name);
  f.modeDbHz = s.CustomSnr;
  const Noise n = noiseEnvironment(s);
  f.noise = n == Noise::MyNoiseFloor ? std::string(kFloorWord)
                                     : std::string(kManMadeNoise[static_cast<std::size_t>(n)].word);
  f.noiseDbm = s.NoiseFloor;
  f.outlook = s.OutlookFlag == 1 ? 1 : 0;
}

}  // namespace welvaro
