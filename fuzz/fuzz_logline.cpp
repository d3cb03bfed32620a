// The decode log's lines from arbitrary bytes: each line read by
// parseLogLine (what it gives is a call, a grid or nothing, a band of the
// table or none), the sender of the text as a message, and the whole input
// read as a log file in memory in small batches (every whole line counted
// once, the position never past the file).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "decodes/logline.h"
#include "decodes/logreader.h"
#include "fuzz_check.h"
#include "state/bands.h"

using namespace welvaro;

namespace {

FUZZ_UNTRACED bool inside(std::string_view part, std::string_view whole) {
  return part.empty() || (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

FUZZ_UNTRACED void checkDecode(const Decode& d) {
  FUZZ_CHECK(d.call.empty() || isCall(d.call));
  FUZZ_CHECK(d.grid.empty() || isGrid(d.grid));
  FUZZ_CHECK(d.band >= -1 && d.band < static_cast<int>(kHfBands.size()));
  FUZZ_CHECK(d.band < 0 || (d.dialHz >= kHfBands[static_cast<std::size_t>(d.band)].lowHz &&
                            d.dialHz <= kHfBands[static_cast<std::size_t>(d.band)].highHz));
  FUZZ_CHECK(!d.message.empty() && !d.mode.empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);

  std::uint64_t lines = 0;
  for (std::size_t a = 0; a < text.size();) {
    std::size_t e = text.find('\n', a);
    if (e == std::string_view::npos) break;
    ++lines;
    Decode d;
    const LogLineKind k = parseLogLine(text.substr(a, e - a), d);
    if (k == LogLineKind::Decode) FUZZ_CHECK(!d.call.empty());
    if (k == LogLineKind::Decode || k == LogLineKind::NoStation) checkDecode(d);
    a = e + 1;
  }
  for (const bool wspr : {false, true}) {
    const Sender s = senderOf(text, wspr);
    FUZZ_CHECK(inside(s.call, text) && inside(s.grid, text));
    FUZZ_CHECK(s.call.empty() || isCall(s.call));
    FUZZ_CHECK(s.grid.empty() || (!s.call.empty() && isGrid(s.grid)));
  }

  static fuzz::MemFile file;
  file.set(text);
  std::uint64_t decodes = 0, last = 0;
  const LogReadCounts c = readNewLines(
      {file.path(), 10, 20}, std::nullopt,
      [&](std::vector<Decode>& batch, const LogPosition& reached) {
        for (const Decode& d : batch) checkDecode(d);
        decodes += batch.size();
        FUZZ_CHECK(reached.offset >= last && reached.offset <= size);
        last = reached.offset;
        return true;
      },
      3);
  FUZZ_CHECK(c.error.empty());
  FUZZ_CHECK(c.decodes + c.noStation == decodes);
  FUZZ_CHECK(c.decodes + c.transmits + c.noStation + c.unreadable == c.lines);
  // Every whole line is read once (an over-long one counts once more per 64 KiB).
  FUZZ_CHECK(size > (1u << 16) || c.lines == lines);
  return 0;
}
