// The update of the sunspot table from NOAA's Space Weather Prediction
// Center: its two solar-cycle files are fetched, checked, merged into one
// table and written whole as the user's updated table, which from then on
// takes precedence over the table that came with the program.
//
//   <base>/json/solar-cycle/observed-solar-cycle-indices.json
//       [{"time-tag": "YYYY-MM", "smoothed_ssn": v, ...}, ...]   (v = -1: not known yet)
//   <base>/json/solar-cycle/predicted-solar-cycle.json
//       [{"time-tag": "YYYY-MM", "predicted_ssn": v, ...}, ...]
//
// Checks: each file a JSON array of such objects, months strictly
// ascending, values 0..500 (the observed file's -1 aside), at least 12
// months in each file and in the merged table, each body below 2 MB. The
// merged table holds for every month the observed smoothed value where it
// is known, else the predicted one.
//
// The update is a plain function: the desktop window runs it on a worker
// thread, shows its progress and may cancel it; welvaro-cli runs it
// directly. It touches nothing but the updated table's file, and that only
// at its very end, through replaceFile: whatever fails before (network,
// data, cancel) leaves the table in use as it was, byte for byte.
//
// Use from the window (sketch):
//   SolarUpdateRequest r = solarUpdateRequest(state, dirs, today);
//   r.cancel = &cancelFlag;                       // std::atomic<bool>, set by the Cancel button
//   r.progress = [&](const SolarProgress& p) { /* post to the GUI thread */ };
//   worker thread:  SolarUpdateResult res = updateSunspotTable(r);
//   GUI thread:     finishSolarUpdate(state, dirs, res, today);    // records the check, takes the new table
//                   show solarUpdateMessage(state.L, res); renew the forecast when it returned true
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "files/programdir.h"
#include "solar/sunspot_table.h"
#include "state/datetime.h"
#include "state/message.h"
#include "state/state.h"

namespace welvaro {

/// NOAA SWPC's public services address, the default base.
inline constexpr std::string_view kSolarDefaultBase = "https://services.swpc.noaa.gov";
/// Environment variable that overrides the address setting (mirrors, tests).
inline constexpr const char* kSolarUrlVariable = "WELVARO_SOLAR_URL";
inline constexpr std::string_view kSolarObservedPath = "/json/solar-cycle/observed-solar-cycle-indices.json";
inline constexpr std::string_view kSolarPredictedPath = "/json/solar-cycle/predicted-solar-cycle.json";
inline constexpr std::size_t kSolarMaxBody = 2 * 1024 * 1024;  ///< largest body accepted per file [bytes]
inline constexpr std::chrono::milliseconds kSolarTimeout{20000};  ///< the whole update, both files
inline constexpr int kSolarCheckDays = 30;  ///< "once a month": days between two automatic checks

/// The base address in use: WELVARO_SOLAR_URL when set and not empty, else
/// `setting` when not empty, else kSolarDefaultBase; slashes at its end
/// removed. (The address is not checked here; the update refuses one that
/// is not http:// or https://.)
std::string solarBase(std::string_view setting);

/// Whether `base` begins with http:// or https:// (any case) and has more.
bool isHttpAddress(std::string_view base);

/// Where the update stands, for a progress bar: file 1 or 2 of 2, bytes
/// received of that file and its announced size (0 when unknown).
struct SolarProgress {
  int file = 1;
  int files = 2;
  std::int64_t received = 0;
  std::int64_t total = 0;
};

struct SolarUpdateRequest {
  std::string base;                  ///< address up to "/json/solar-cycle/...", see solarBase
  std::filesystem::path target;      ///< the updated table's file
  YearMonth today;                   ///< the month of the update: the new table's date
  std::chrono::milliseconds timeout = kSolarTimeout;  ///< for both files together
  const std::atomic<bool>* cancel = nullptr;          ///< set by another thread to stop; may be null
  std::function<void(const SolarProgress&)> progress; ///< called on the updating thread; may be empty
};

/// The request for the program's situation: the base from the record's
/// SolarUrl (and the environment), the target in the folder of the
/// program's own files, the month of `today`.
SolarUpdateRequest solarUpdateRequest(const State& s, const ProgramDirs& dirs, const DateTime& today);

struct SolarUpdateResult {
  bool ok = false;
  bool cancelled = false;
  /// On success kTxSolarUpdated (%1 table date, %2 months); else the
  /// reason, one of the kTxSolar... keys with its insertions.
  Message message;
  SunspotTable table;  ///< the table written, when ok
};

/// Fetches, checks, merges and writes. See the top of this file.
SolarUpdateResult updateSunspotTable(const SolarUpdateRequest& request);

/// The parts of the update, for tests and for other sources of the same
/// files. Each returns the reason (a kTxSolar... message naming `url`) when
/// the text is refused, else fills `out`.
struct NoaaMonth {
  YearMonth month;
  double value = 0;  ///< -1 in the observed file: smoothed value not known yet
};
std::optional<Message> parseNoaaFile(std::string_view json, std::string_view field, bool observed,
                                     const std::string& url, std::vector<NoaaMonth>& out);
/// The merged table (observed value where known, else predicted), dated
/// `today`; the reason when it holds fewer than 12 months.
std::optional<Message> mergeNoaaFiles(const std::vector<NoaaMonth>& observed, const std::vector<NoaaMonth>& predicted,
                                      const YearMonth& today, const std::string& url, SunspotTable& out);

/// The whole message of a finished update in language slot `language`: on
/// success "Solar data updated: ...", else kTxSolarNotUpdated followed by
/// the reason.
std::string solarUpdateMessage(int language, const SolarUpdateResult& result);

/// Whether the once-a-month check is due: SolarCheckMonthly = 1 and no
/// update finished in the last kSolarCheckDays days (SolarLastCheck empty,
/// unreadable or in the future counts as due).
bool solarCheckDue(const State& s, const DateTime& today);

/// After an update finished (not cancelled): SolarLastCheck = today, kept
/// in the window preferences file at once; on success the new table is
/// looked up for the forecast month (see applySunspotTable). Returns
/// whether Ssna changed, so that the caller renews the forecast.
bool finishSolarUpdate(State& s, const ProgramDirs& dirs, const SolarUpdateResult& result, const DateTime& today);

}  // namespace welvaro
