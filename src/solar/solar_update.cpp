#include "solar/solar_update.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <nlohmann/json.hpp>

#include "files/window_prefs.h"
#include "files/fileio.h"
#include "lang/sprachtext.h"
#include "solar/http_get.h"
#include "solar/sunspot_choice.h"
#include "state/numtext.h"

namespace welvaro {

namespace {

using SteadyClock = std::chrono::steady_clock;

Message says(int key, std::string one = {}, std::string two = {}) {
  return Message{key, std::move(one), std::move(two)};
}

// The reason of a failed download, naming the address or the file.
Message httpReason(const HttpResult& r, const std::string& base, const std::string& url,
                   std::chrono::milliseconds timeout) {
  switch (r.kind) {
    case HttpResult::kCancelled: return says(kTxSolarCancelled);
    case HttpResult::kTimeout:
      return says(kTxSolarTimeout, base, PlainText(static_cast<double>(timeout.count()) / 1000));
    case HttpResult::kTooLarge:
      return says(kTxSolarTooLarge, url, std::to_string(kSolarMaxBody / (1024 * 1024)) + " MB");
    case HttpResult::kIncomplete: return says(kTxSolarIncomplete, url);
    case HttpResult::kHttpStatus: return says(kTxSolarHttpStatus, url, std::to_string(r.status));
    case HttpResult::kCertificate: return says(kTxSolarCertificate, base, r.detail);
    case HttpResult::kConnection:
    case HttpResult::kOk: break;
  }
  return says(kTxSolarNoConnection, base, r.detail);
}

std::string dateText(const DateTime& d) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", d.year % 10000, d.month % 100, d.day % 100);
  return buf;
}

}  // namespace

std::string solarBase(std::string_view setting) {
  std::string base;
  if (const char* env = std::getenv(kSolarUrlVariable); env && *env)
    base = env;
  else if (!setting.empty())
    base = setting;
  else
    base = kSolarDefaultBase;
  while (!base.empty() && base.back() == '/') base.pop_back();
  return base;
}

bool isHttpAddress(std::string_view base) {
  std::string head(base.substr(0, 8));
  std::transform(head.begin(), head.end(), head.begin(), [](unsigned char c) { return std::tolower(c); });
  return (head.starts_with("http://") && base.size() > 7) || (head.starts_with("https://") && base.size() > 8);
}

SolarUpdateRequest solarUpdateRequest(const State& s, const ProgramDirs& dirs, const DateTime& today) {
  SolarUpdateRequest r;
  r.base = solarBase(s.SolarUrl);
  if (!dirs.writeDir.empty()) r.target = ownFile(dirs, kSunspotUpdatedFile);
  r.today = {today.year, today.month};
  return r;
}

std::optional<Message> parseNoaaFile(std::string_view json, std::string_view field, bool observed,
                                     const std::string& url, std::vector<NoaaMonth>& out) {
  nlohmann::json doc;
  try {
    doc = nlohmann::json::parse(json.begin(), json.end());
  } catch (const nlohmann::json::parse_error& e) {
    return says(kTxSolarNotJson, url, std::to_string(e.byte));
  }
  if (!doc.is_array()) return says(kTxSolarNotList, url);
  std::vector<NoaaMonth> months;
  months.reserve(doc.size());
  int entry = 0;
  for (const nlohmann::json& item : doc) {
    ++entry;
    const auto unexpected = says(kTxSolarUnexpected, url, std::to_string(entry));
    if (!item.is_object()) return unexpected;
    const auto tag = item.find("time-tag");
    const auto value = item.find(field);
    if (tag == item.end() || !tag->is_string() || value == item.end() || !value->is_number()) return unexpected;
    const auto month = parseYearMonth(tag->get_ref<const std::string&>());
    if (!month) return unexpected;
    const double v = value->get<double>();
    // The observed file marks a smoothed value not known yet with -1.
    if (!(observed && v == -1) && !(std::isfinite(v) && v >= 0 && v <= kSunspotMax))
      return says(kTxSolarOutOfRange, url, yearMonthText(*month));
    if (!months.empty() && month->index() <= months.back().month.index())
      return says(kTxSolarNotAscending, url, yearMonthText(*month));
    months.push_back({*month, v});
  }
  if (months.size() < kSunspotMinMonths) return says(kTxSolarTooFewMonths, url, std::to_string(months.size()));
  out = std::move(months);
  return std::nullopt;
}

std::optional<Message> mergeNoaaFiles(const std::vector<NoaaMonth>& observed, const std::vector<NoaaMonth>& predicted,
                                      const YearMonth& today, const std::string& url, SunspotTable& out) {
  std::map<int, SunspotMonth> merged;
  for (const NoaaMonth& p : predicted) merged[p.month.index()] = {p.month, p.value, SunspotKind::kPredicted};
  for (const NoaaMonth& o : observed)
    if (o.value >= 0) merged[o.month.index()] = {o.month, o.value, SunspotKind::kObserved};
  SunspotTable t;
  t.date = today;
  t.months.reserve(merged.size());
  for (const auto& [index, m] : merged) t.months.push_back(m);
  if (t.months.size() < kSunspotMinMonths) return says(kTxSolarTooFewMonths, url, std::to_string(t.months.size()));
  out = std::move(t);
  return std::nullopt;
}

SolarUpdateResult updateSunspotTable(const SolarUpdateRequest& request) {
  SolarUpdateResult result;
  auto fail = [&](Message m) {
    result.cancelled = m.text == kTxSolarCancelled;
    result.message = std::move(m);
    return result;
  };
  auto cancelled = [&] { return request.cancel && request.cancel->load(); };

  if (!isHttpAddress(request.base)) return fail(says(kTxSolarBadAddress, request.base));
  if (request.target.empty())
    return fail(says(kTxSolarNotWritten, std::string(kSunspotUpdatedFile), "no folder for the program's own files"));

  const SteadyClock::time_point deadline = SteadyClock::now() + request.timeout;
  const std::pair<std::string_view, std::string_view> files[] = {{kSolarObservedPath, "smoothed_ssn"},
                                                                {kSolarPredictedPath, "predicted_ssn"}};
  std::vector<NoaaMonth> parsed[2];
  for (int i = 0; i < 2; ++i) {
    if (cancelled()) return fail(says(kTxSolarCancelled));
    const std::string url = request.base + std::string(files[i].first);
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    HttpResult got;
    if (left.count() <= 0) {
      got.kind = HttpResult::kTimeout;
    } else {
      HttpProgress progress;
      if (request.progress)
        progress = [&, i](std::int64_t received, std::int64_t total) {
          request.progress(SolarProgress{i + 1, 2, received, total});
        };
      got = httpGet(url, HttpLimits{left, kSolarMaxBody}, request.cancel, progress);
    }
    if (!got.ok()) return fail(httpReason(got, request.base, url, request.timeout));
    if (auto refused = parseNoaaFile(got.body, files[i].second, i == 0, url, parsed[i])) return fail(*refused);
  }

  SunspotTable table;
  if (auto refused = mergeNoaaFiles(parsed[0], parsed[1], request.today, request.base, table)) return fail(*refused);
  if (cancelled()) return fail(says(kTxSolarCancelled));

  const std::string text = sunspotTableText(table);
  if (const FileStatus st = replaceFile(request.target, text); !st.ok())
    return fail(says(kTxSolarNotWritten, request.target.string(), reasonOf(st, request.target)));

  result.ok = true;
  result.message = says(kTxSolarUpdated, yearMonthText(table.date), std::to_string(table.months.size()));
  result.table = std::move(table);
  return result;
}

std::string solarUpdateMessage(int language, const SolarUpdateResult& result) {
  if (result.ok) return messageText(language, result.message);
  return messageText(language, says(kTxSolarNotUpdated)) + " " + messageText(language, result.message);
}

bool solarCheckDue(const State& s, const DateTime& today) {
  if (s.SolarCheckMonthly != 1) return false;
  const std::string& t = s.SolarLastCheck;
  int y = 0, m = 0, d = 0;
  if (t.size() != 10 || std::sscanf(t.c_str(), "%4d-%2d-%2d", &y, &m, &d) != 3 || m < 1 || m > 12 || d < 1 ||
      d > daysInMonth(y, m))
    return true;
  const auto days = daysFromCivil(today.year, today.month, today.day) - daysFromCivil(y, m, d);
  return days < 0 || days >= kSolarCheckDays;
}

bool finishSolarUpdate(State& s, const ProgramDirs& dirs, const SolarUpdateResult& result, const DateTime& today) {
  if (result.cancelled) return false;
  s.SolarLastCheck = dateText(today);
  if (!dirs.writeDir.empty()) {
    // Kept at once, so that a program closed without saving does not ask
    // again at the next start.
    const std::filesystem::path prefsFile = ownFile(dirs, kWindowPrefsFile);
    WindowPrefs prefs = readWindowPrefs(prefsFile);
    prefs.solarLastCheck = s.SolarLastCheck;
    writeWindowPrefs(prefsFile, prefs);
  }
  return result.ok && applySunspotTable(s, dirs);
}

}  // namespace welvaro
