// What the window shows of the heard decodes, decided here so the window
// only applies it: the time the span ends at, the receivers' logs from the
// window preferences, a receiver position typed by the user, the rows of
// the bands panel with the compare line, and the status line about the
// receiver's UDP messages.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "decodes/heard.h"
#include "decodes/listener.h"
#include "decodes/logreader.h"
#include "display/outlookview.h"
#include "files/window_prefs.h"
#include "state/state.h"

namespace welvaro {

/// The UTC time [ms since 1970] of a clock reading.
std::int64_t utcMsOf(const ClockReading& r);

/// The end of the span the displays show: `nowMs` while they show the time
/// now (`shownMinute` < 0); else the latest moment not after `nowMs` whose
/// UTC minute of the day is `shownMinute` (0..1439), so a time of day later
/// than now means yesterday's (what was heard lies in the past).
std::int64_t heardEndMs(std::int64_t nowMs, int shownMinute);

/// The band (index into kHfBands) whose dots the map shows at the display
/// frequency `mhz`: the band it lies in, else the nearest band whose edge
/// lies within 0.5 MHz of it (the default 10.2 MHz and the whole-megahertz
/// steps 5, 18 and 25 MHz fall just outside a band); -1 for none.
int heardBandOf(float mhz);

/// The span of the preferences (heard_span in minutes); none when no span
/// is shown (0) or the minutes name none of the four spans.
std::optional<HeardSpan> heardSpanOf(const WindowPrefs& f);

/// The logs of the preferences, each with its receiver's position: its own
/// or station A's (latA, lonA).
std::vector<LogFile> heardLogFiles(const WindowPrefs& f, double latA, double lonA);

/// Whether the preferences name any source of decodes (a log, or listening).
bool heardSourcesOn(const WindowPrefs& f);

/// A receiver position as the user types it: "LAT, LON" in degrees (north
/// and east positive; a comma, semicolon or blanks between them) or a
/// Maidenhead locator. Empty text gives none and `ok` true (station A);
/// text that is neither gives none and `ok` false.
struct TypedPosition {
  bool ok = true;
  std::optional<GeoPoint> position;
};
TypedPosition readTypedPosition(std::string_view text);
/// The position as the settings show it: "48.15, 11.58" (two decimals).
std::string typedPositionText(double lat, double lon);

/// One band's row of the bands panel: what was heard in the span, the
/// forecast's outlook toward B and the verdict of the two, as texts in the
/// user's language ("–" where nothing was heard).
struct HeardPanelRow {
  std::string band;      ///< "20 m"
  std::string stations;  ///< "143"
  std::string bestSnr;   ///< "+12" [dB]
  std::string farthest;  ///< "16210" [km]
  std::string towardB;   ///< "7"
  std::string verdict;   ///< "open now"
  Verdict kind = Verdict::NotListened;
};
std::array<HeardPanelRow, kHfBands.size()> heardPanelRows(const State& s, const HeardSummary& heard,
                                                          const std::array<Outlook, kHfBands.size()>& outlook);

/// The forecast's outlook per band from the bands' outlook rows (the first
/// value of each; a band without a forecast counts as closed).
std::array<Outlook, kHfBands.size()> outlookPerBand(const std::vector<BandOutlookRow>& rows);

/// What the status line says about the receiver's UDP messages: nothing
/// when not listening; the address and the reason when listening failed;
/// that nothing came yet; or when the last message came (seconds or
/// minutes ago) with the band and mode of the receiver's last Status.
std::string receiverStatusText(const State& s, bool listening, const std::string& endpoint,
                               const std::string& error, const ListenerSnapshot& seen, std::int64_t nowMs);

}  // namespace welvaro
