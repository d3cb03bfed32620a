#include "files/settings.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <cmath>
#include <memory>
#include <optional>
#include <vector>

#include "files/codepage.h"
#include "files/fileio.h"
#include "files/read_limits.h"
#include "state/arith.h"
#include "state/calendar.h"
#include "state/numtext.h"
#include "state/station_a.h"

namespace welvaro {

namespace {

// Labels of lines 1..22, in memory as UTF-8 (ä, ü, ° become single bytes
// on disk). Only written: the reader never compares them.
constexpr std::array<std::string_view, kSettingsLines> kLabel = {
    "Stationsort(A): ",
    "Breitengrad/A(N=+/S=-): ",
    "Längengrad/A(O=+/W=-): ",
    "Stationsort(B): ",
    "Breitengrad/B(N=+/S=-): ",
    "Längengrad/B(O=+/W=-): ",
    "Sendeleistung(kW): ",
    "Antennengewinn-A(dBi): ",
    "Antennengewinn-B(dBi): ",
    "Verfügbarkeit(%): ",
    "Weg(S=short/L=long): ",
    "min Abstrahlwinkel(°): ",
    "Sonnfleckenzahl: ",
    "Zeitzone (O=+/W=- Std.): ",
    "Anzeige-Frequenz(MHz): ",
    "Speicher1-Frequenz(MHz): ",
    "Speicher2-Frequenz(MHz): ",
    "Speicher3-Frequenz(MHz): ",
    "Speicher4-Frequenz(MHz): ",
    "Speicher5-Frequenz(MHz): ",
    "Speicher6-Frequenz(MHz): ",
    "Landessprache: ",
};

bool isControlChar(unsigned char c) { return (c < 0x20 && c != '\t') || c == 0x7F; }

// The content as UTF-8: Windows-1252 unless it is recognisably UTF-8.
std::string asUtf8(std::string_view content) {
  constexpr std::string_view bom = "\xEF\xBB\xBF";
  if (content.substr(0, 3) == bom) {
    content.remove_prefix(3);
    if (isUtf8(content)) return std::string(content);
    return cp1252ToUtf8(content);
  }
  bool nonAscii = false;
  for (char c : content)
    if (static_cast<unsigned char>(c) >= 0x80) nonAscii = true;
  if (nonAscii && isUtf8(content)) return std::string(content);
  return cp1252ToUtf8(content);
}

// Lines ended by CR LF, LF or CR; a last line without end counts too.
std::vector<std::string_view> lines(std::string_view text, std::size_t atMost) {
  std::vector<std::string_view> out;
  std::size_t start = 0;
  for (std::size_t i = 0; i < text.size() && out.size() < atMost; ++i) {
    if (text[i] != '\r' && text[i] != '\n') continue;
    out.push_back(text.substr(start, i - start));
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    start = i + 1;
  }
  if (out.size() < atMost && start < text.size()) out.push_back(text.substr(start));
  return out;
}

// One item of a line: leading blanks skipped; a quoted item runs to the next
// double quote (the rest of the line is dropped), an unquoted one to the
// first comma. Each line gives exactly one item, so a comma in a
// hand-written line cannot shift the lines after it.
std::string_view item(std::string_view line) {
  std::size_t i = 0;
  while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) ++i;
  line.remove_prefix(i);
  if (!line.empty() && line[0] == '"') {
    line.remove_prefix(1);
    return line.substr(0, line.find('"'));  // unclosed quote: to line end
  }
  return line.substr(0, line.find(','));
}

// The value of an item: the text after its first colon and the blank that
// follows it. (Without a blank after the colon the value starts right
// after the colon, so a hand-written "Ort:Berlin" keeps its "B".)
std::optional<std::string> value(std::string_view it) {
  if (it.empty()) return std::nullopt;
  for (char c : it)
    if (isControlChar(static_cast<unsigned char>(c))) return std::nullopt;
  std::size_t p = it.find(':');
  if (p == std::string_view::npos) return std::nullopt;
  std::string_view w = it.substr(p + 1);
  if (!w.empty() && w[0] == ' ') w.remove_prefix(1);
  return std::string(w);
}

bool fitsInSingle(double v) { return std::isfinite(v) && std::fabs(v) <= FLT_MAX; }

// Text value as it can stand inside one quoted line.
std::string lineSafe(std::string t) {
  for (char& c : t) {
    if (c == '"') c = '\'';
    else if (isControlChar(static_cast<unsigned char>(c))) c = ' ';
  }
  return t;
}

}  // namespace

void settingsDefaults(State& s) {
  // The start values live in one place, the record's own initialisers.
  const auto d = std::make_unique<State>();
  s.OrtA = d->OrtA;
  setStationALatitude(s, d->X1);
  setStationALongitude(s, d->Y1);
  s.OrtB = d->OrtB;
  s.OrtX2 = d->OrtX2;
  s.OrtY2 = d->OrtY2;
  s.Zkwa = d->Zkwa;
  s.Zkw = d->Zkw;
  s.Sag = d->Sag;
  s.Eag = d->Eag;
  s.Iproz = d->Iproz;
  s.P = d->P;
  s.Angm = d->Angm;
  s.Ssn = d->Ssn;
  s.Ssna = d->Ssna;
  s.UTCKorr = static_cast<float>(1 + s.SoZeitFlag);
  s.UTCKorrFolgt = 1;
  s.AktFrequenz = d->AktFrequenz;
  s.Speicher1 = d->Speicher1;
  s.Speicher2 = d->Speicher2;
  s.Speicher3 = d->Speicher3;
  s.Speicher4 = d->Speicher4;
  s.Speicher5 = d->Speicher5;
  s.Speicher6 = d->Speicher6;
  s.L = 0;
  for (int i = 1; i <= kSettingsLines; ++i) s.DatZeile[i].clear();
}

bool readSettingsText(State& s, std::string_view content) {
  const std::string text = asUtf8(content);
  const auto z = lines(text, kSettingsLines);
  if (z.size() < static_cast<std::size_t>(kSettingsLines)) return false;

  std::array<std::string, kSettingsLines + 1> w;  // 1..22
  std::array<double, kSettingsLines + 1> n{};
  for (int i = 1; i <= kSettingsLines; ++i) {
    auto v = value(item(z[static_cast<std::size_t>(i - 1)]));
    if (!v) return false;
    w[static_cast<std::size_t>(i)] = std::move(*v);
    n[static_cast<std::size_t>(i)] = ReadNumber(w[static_cast<std::size_t>(i)]);
  }
  // Every number must fit its field (single fields included); the language
  // index is clamped below, so any finite value or infinity will do there.
  for (int i : {2, 8, 9, 10, 12})
    if (!std::isfinite(n[static_cast<std::size_t>(i)])) return false;
  for (int i : {3, 5, 6, 14, 15, 16, 17, 18, 19, 20, 21})
    if (!fitsInSingle(n[static_cast<std::size_t>(i)])) return false;
  if (!std::isfinite(n[7]) || !std::isfinite(n[13])) return false;  // Zkw, Ssna
  // The time zone is held to the dialog's -12..14 (a huge value would
  // overflow the clock's seconds).
  n[14] = std::clamp(n[14], -12.0, 14.0);

  for (int i = 1; i <= kSettingsLines; ++i) s.DatZeile[i] = w[static_cast<std::size_t>(i)];
  s.OrtA = w[1];
  setStationALatitude(s, n[2]);
  setStationALongitude(s, static_cast<float>(n[3]));
  s.OrtB = w[4];
  s.OrtX2 = static_cast<float>(n[5]);
  s.OrtY2 = static_cast<float>(n[6]);
  s.Zkwa = w[7];
  s.Zkw = n[7];
  s.Sag = n[8];
  s.Eag = n[9];
  s.Iproz = n[10];
  s.P = w[11];
  s.Angm = n[12];
  s.Ssn = w[13];
  s.Ssna = n[13];
  s.UTCKorr = static_cast<float>(n[14] + s.SoZeitFlag);
  s.UTCKorrFolgt = static_cast<float>(n[14]) == s.SystemStandardZone ? 1 : 0;
  s.AktFrequenz = static_cast<float>(n[15]);
  s.Speicher1 = static_cast<float>(n[16]);
  s.Speicher2 = static_cast<float>(n[17]);
  s.Speicher3 = static_cast<float>(n[18]);
  s.Speicher4 = static_cast<float>(n[19]);
  s.Speicher5 = static_cast<float>(n[20]);
  s.Speicher6 = static_cast<float>(n[21]);
  // Nearest whole number (halves to even), held in the table's 0..5.
  const double language = n[22];
  s.L = language >= 5.0 ? 5 : language > 0.0 ? static_cast<int16>(RoundEven(language)) : 0;
  return true;
}

SettingsSource readSettings(State& s, const std::string& filePath, std::string* refused) {
  std::string content;
  const FileStatus r = readWholeFile(filePath, content, kSettingsReadLimit);
  if (r.kind == FileStatus::kMissing) {
    settingsDefaults(s);
    return SettingsSource::Missing;
  }
  if (r.ok() && readSettingsText(s, content)) return SettingsSource::File;
  if (r.ok() && refused) *refused = std::move(content);
  settingsDefaults(s);
  return SettingsSource::Unusable;
}

std::optional<int16> languageOfFile(std::string_view content) {
  const std::string text = asUtf8(content);
  constexpr std::string_view label = "Landessprache:";
  for (const std::string_view z : lines(text, 1000)) {
    const std::string_view it = item(z);
    if (it.substr(0, label.size()) != label) continue;
    const double v = ReadNumber(it.substr(label.size()));
    return v >= 5.0 ? int16{5} : v > 0.0 ? static_cast<int16>(RoundEven(v)) : int16{0};
  }
  return std::nullopt;
}

std::string settingsText(const State& s, const DateTime& now) {
  // The file keeps local standard time.
  float zone = s.UTCKorr;
  if (s.UTCKorrFolgt != 0)
    zone = s.SystemStandardZone;
  else if (inSummerTime(s, now))
    zone -= 1;

  // Station A as entered (a locator's centre keeps its decimals), not the
  // tenth the forecast computes with.
  const StationAPosition a = enteredStationA(s);
  const std::array<std::string, kSettingsLines> values = {
      lineSafe(s.OrtA),
      NumberText(a.latitude),
      NumberText(a.longitude),
      lineSafe(s.OrtB),
      NumberText(s.OrtX2),
      NumberText(s.OrtY2),
      lineSafe(s.Zkwa),
      NumberText(s.Sag),
      NumberText(s.Eag),
      NumberText(s.Iproz),
      lineSafe(s.P),
      NumberText(s.Angm),
      lineSafe(s.Ssn),
      NumberText(zone),
      NumberText(s.AktFrequenz),
      NumberText(s.Speicher1),
      NumberText(s.Speicher2),
      NumberText(s.Speicher3),
      NumberText(s.Speicher4),
      NumberText(s.Speicher5),
      NumberText(s.Speicher6),
      NumberText(static_cast<float>(s.L)),
  };
  std::string text;
  for (std::size_t i = 0; i < values.size(); ++i) {
    text += '"';
    text += kLabel[i];
    text += values[i];
    text += "\"\r\n";
  }
  return utf8ToCp1252(text);
}

FileStatus writeSettings(const State& s, const std::string& filePath, const DateTime& now) {
  return replaceFile(filePath, settingsText(s, now));
}

}  // namespace welvaro
