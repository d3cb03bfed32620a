// The receiver's UDP messages from arbitrary bytes: parseDatagram reads
// only inside the datagram (the input is copied to a buffer of exactly its
// size, so AddressSanitizer sees any read past it) and gives a kind other
// than Malformed only for the right magic number and schema 2 or 3; the
// decoder takes a decode only after a Status of its sender, with a call, a
// band of the table and a time within half a day of the clock.
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include "decodes/datagram.h"
#include "decodes/logline.h"
#include "fuzz_check.h"
#include "state/bands.h"

using namespace welvaro;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[size == 0 ? 1 : size]);
  if (size > 0) std::memcpy(exact.get(), data, size);
  const Datagram d = parseDatagram(exact.get(), size);
  if (d.kind != Datagram::Kind::Malformed) {
    FUZZ_CHECK(size >= 16);
    FUZZ_CHECK(exact[0] == 0xad && exact[1] == 0xbc && exact[2] == 0xcb && exact[3] == 0xda);
    FUZZ_CHECK(d.schema == 2 || d.schema == 3);
    FUZZ_CHECK(d.id.size() + d.mode.size() + d.message.size() + d.call.size() + d.grid.size() <= size);
  }

  // The same bytes as a stream of datagrams to one decoder: a first byte n
  // cuts the rest into pieces of n + 1 bytes, so a Status and a Decode
  // can follow each other.
  static const FixedClock clock({2026, 12, 8, 14, 30, 20}, 0, 0);
  DatagramDecoder decoder(clock, 48.1, 11.5);
  if (size > 1) {
    const std::size_t piece = exact[0] + 1u;
    for (std::size_t at = 1; at < size; at += piece) {
      const std::size_t n = std::min(piece, size - at);
      std::vector<std::uint8_t> one(exact.get() + at, exact.get() + at + n);
      Decode out;
      if (decoder.take(one.data(), one.size(), out)) {
        FUZZ_CHECK(out.call.empty() || isCall(out.call));
        FUZZ_CHECK(out.band >= 0 && out.band < static_cast<int>(kHfBands.size()));
        const std::int64_t now = toSerial({2026, 12, 8, 14, 30, 20}) * 1000;
        FUZZ_CHECK(out.utcMs >= now - 43'200'000 && out.utcMs <= now + 43'200'000);
      }
    }
  }
  const DatagramCounts& c = decoder.counts();
  FUZZ_CHECK(c.heartbeats + c.statuses + c.decodes + c.ignored == c.datagrams);
  return 0;
}
