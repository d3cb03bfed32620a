#include "solar/sunspot_table.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <system_error>

#include "files/fileio.h"
#include "lang/sprachtext.h"

namespace welvaro {

namespace {

constexpr std::string_view kHeading = "month,smoothed_ssn,kind";
constexpr std::string_view kDateMark = ", table of ";

bool allDigits(std::string_view t) {
  return !t.empty() && std::all_of(t.begin(), t.end(), [](char c) { return c >= '0' && c <= '9'; });
}

// A value as the file writes it: digits, optionally a point and digits; no
// sign, no exponent.
std::optional<double> parseValue(std::string_view t) {
  const auto point = t.find('.');
  const bool digits = point == std::string_view::npos
                            ? allDigits(t)
                            : allDigits(t.substr(0, point)) && allDigits(t.substr(point + 1));
  if (!digits) return std::nullopt;
  double v = 0;
  const auto r = std::from_chars(t.data(), t.data() + t.size(), v, std::chars_format::fixed);
  if (r.ec != std::errc() || r.ptr != t.data() + t.size()) return std::nullopt;
  return v;
}

// Shortest text that reads back as the same double, with a point.
std::string valueText(double v) {
  char buf[32];
  const auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

bool valueInRange(double v) { return std::isfinite(v) && v >= 0 && v <= kSunspotMax; }

}  // namespace

std::optional<YearMonth> parseYearMonth(std::string_view t) {
  if (t.size() != 7 || t[4] != '-' || !allDigits(t.substr(0, 4)) || !allDigits(t.substr(5, 2))) return std::nullopt;
  YearMonth m;
  std::from_chars(t.data(), t.data() + 4, m.year);
  std::from_chars(t.data() + 5, t.data() + 7, m.month);
  if (m.year < 1000 || m.month < 1 || m.month > 12) return std::nullopt;
  return m;
}

std::string yearMonthText(const YearMonth& m) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d-%02d", m.year, m.month);
  return buf;
}

std::string_view sunspotKindName(SunspotKind k) { return k == SunspotKind::kObserved ? "observed" : "predicted"; }

std::string_view sunspotOriginName(SunspotOrigin o) {
  switch (o) {
    case SunspotOrigin::kShipped: return "shipped";
    case SunspotOrigin::kUpdated: return "updated";
    case SunspotOrigin::kNone: break;
  }
  return "none";
}

std::optional<SunspotMonth> findMonth(const SunspotTable& t, const YearMonth& m) {
  const auto it = std::lower_bound(t.months.begin(), t.months.end(), m.index(),
                                   [](const SunspotMonth& a, int i) { return a.month.index() < i; });
  if (it == t.months.end() || it->month.index() != m.index()) return std::nullopt;
  return *it;
}

std::optional<SunspotTableError> checkSunspotTable(const SunspotTable& table) {
  for (std::size_t i = 0; i < table.months.size(); ++i) {
    const SunspotMonth& m = table.months[i];
    if (!valueInRange(m.ssn))
      return SunspotTableError{0, yearMonthText(m.month) + ": value outside 0 .. 500"};
    if (i > 0 && m.month.index() <= table.months[i - 1].month.index())
      return SunspotTableError{0, yearMonthText(m.month) + ": months not ascending"};
  }
  if (table.months.size() < kSunspotMinMonths)
    return SunspotTableError{0, "only " + std::to_string(table.months.size()) + " months (at least 12 needed)"};
  return std::nullopt;
}

std::optional<SunspotTableError> parseSunspotTable(std::string_view text, SunspotTable& table) {
  SunspotTable t;
  int line = 0;
  bool dated = false, heading = false;
  std::size_t from = 0;
  while (from < text.size()) {
    std::size_t end = text.find('\n', from);
    if (end == std::string_view::npos) end = text.size();
    std::string_view l = text.substr(from, end - from);
    from = end + 1;
    ++line;
    if (!l.empty() && l.back() == '\r') l.remove_suffix(1);
    auto refuse = [&](std::string what) { return SunspotTableError{line, std::move(what)}; };

    if (!dated) {
      // "# <origin>, table of YYYY-MM"
      const auto mark = l.rfind(kDateMark);
      const auto date = mark == std::string_view::npos ? std::nullopt
                                                       : parseYearMonth(l.substr(mark + kDateMark.size()));
      if (!l.starts_with("# ") || !date) return refuse("first line must be \"# ..., table of YYYY-MM\"");
      t.date = *date;
      dated = true;
      continue;
    }
    if (!heading) {
      if (l != kHeading) return refuse("second line must be \"" + std::string(kHeading) + "\"");
      heading = true;
      continue;
    }
    const auto c1 = l.find(','), c2 = c1 == std::string_view::npos ? c1 : l.find(',', c1 + 1);
    if (c2 == std::string_view::npos || l.find(',', c2 + 1) != std::string_view::npos)
      return refuse("not \"YYYY-MM,value,kind\"");
    const auto month = parseYearMonth(l.substr(0, c1));
    if (!month) return refuse("month is not YYYY-MM");
    const auto value = parseValue(l.substr(c1 + 1, c2 - c1 - 1));
    if (!value) return refuse("value is not a number");
    if (!valueInRange(*value)) return refuse("value outside 0 .. 500");
    const std::string_view kind = l.substr(c2 + 1);
    SunspotMonth m{*month, *value, SunspotKind::kObserved};
    if (kind == "predicted")
      m.kind = SunspotKind::kPredicted;
    else if (kind != "observed")
      return refuse("kind is neither observed nor predicted");
    if (!t.months.empty() && m.month.index() <= t.months.back().month.index())
      return refuse("months not ascending");
    t.months.push_back(m);
  }
  if (!heading) return SunspotTableError{line, "no table lines"};
  if (t.months.size() < kSunspotMinMonths)
    return SunspotTableError{0, "only " + std::to_string(t.months.size()) + " months (at least 12 needed)"};
  table = std::move(t);
  return std::nullopt;
}

std::string sunspotTableText(const SunspotTable& table, std::string_view origin) {
  std::string out;
  out.reserve(64 + table.months.size() * 24);
  out += "# ";
  out += origin;
  out += kDateMark;
  out += yearMonthText(table.date);
  out += '\n';
  out += kHeading;
  out += '\n';
  for (const SunspotMonth& m : table.months) {
    out += yearMonthText(m.month);
    out += ',';
    out += valueText(m.ssn);
    out += ',';
    out += sunspotKindName(m.kind);
    out += '\n';
  }
  return out;
}

SunspotRead readSunspotFile(const std::filesystem::path& file, SunspotTable& table, Message* problem) {
  std::string bytes;
  const FileStatus st = readWholeFile(file, bytes, kSunspotFileMax);
  if (st.kind == FileStatus::kMissing) return SunspotRead::kMissing;
  std::string why;
  if (!st.ok()) {
    why = reasonOf(st, file);
  } else if (const auto e = parseSunspotTable(bytes, table)) {
    why = (e->line > 0 ? "line " + std::to_string(e->line) + ": " : std::string()) + e->what;
  } else {
    return SunspotRead::kOk;
  }
  if (problem) *problem = Message{kTxDateiFehler, file.string(), why};
  return SunspotRead::kBroken;
}

LoadedSunspotTable loadSunspotTable(const ProgramDirs& dirs) {
  LoadedSunspotTable loaded;
  const std::pair<std::filesystem::path, SunspotOrigin> candidates[] = {
      {dirs.writeDir.empty() ? std::filesystem::path() : ownFile(dirs, kSunspotUpdatedFile), SunspotOrigin::kUpdated},
      {dirs.dataDirs.empty() ? std::filesystem::path() : dataFile(dirs, kSunspotShippedFile), SunspotOrigin::kShipped},
  };
  for (const auto& [file, origin] : candidates) {
    if (file.empty()) continue;
    Message problem;
    switch (readSunspotFile(file, loaded.table, &problem)) {
      case SunspotRead::kOk:
        loaded.origin = origin;
        loaded.file = file;
        return loaded;
      case SunspotRead::kBroken:
        loaded.problems.push_back(problem);
        break;
      case SunspotRead::kMissing:
        break;
    }
  }
  return loaded;
}

}  // namespace welvaro
