#include "decodes/datagram.h"

#include <cstring>

#include "decodes/logline.h"
#include "state/bands.h"

namespace welvaro {

namespace {

// A big-endian reader that never passes the end: once a read fails, every
// later one fails too.
class Reader {
 public:
  Reader(const std::uint8_t* p, std::size_t n) : p_(p), n_(n) {}
  bool ok() const { return ok_; }
  bool atEnd() const { return pos_ >= n_; }

  std::uint64_t uint(std::size_t bytes) {
    if (!ok_ || n_ - pos_ < bytes) {
      ok_ = false;
      return 0;
    }
    std::uint64_t v = 0;
    for (std::size_t i = 0; i < bytes; ++i) v = (v << 8) | p_[pos_ + i];
    pos_ += bytes;
    return v;
  }
  std::uint32_t u32() { return static_cast<std::uint32_t>(uint(4)); }
  std::int32_t i32() { return static_cast<std::int32_t>(u32()); }
  std::uint64_t u64() { return uint(8); }
  bool boolean() { return uint(1) != 0; }
  double f64() {
    const std::uint64_t bits = uint(8);
    double d;
    std::memcpy(&d, &bits, sizeof d);
    return d;
  }
  // A QByteArray: quint32 length (0xffffffff null), then the bytes. The
  // length is compared with what is left before anything is copied.
  std::string bytes() {
    const std::uint32_t len = u32();
    if (!ok_ || len == 0xffffffffu) return {};
    if (len > n_ - pos_) {
      ok_ = false;
      return {};
    }
    std::string s(reinterpret_cast<const char*>(p_ + pos_), len);
    pos_ += len;
    return s;
  }

 private:
  const std::uint8_t* p_;
  std::size_t n_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

}  // namespace

Datagram parseDatagram(const std::uint8_t* data, std::size_t size) {
  Datagram d;
  Reader r(data, size);
  const std::uint32_t magic = r.u32();
  d.schema = r.u32();
  d.type = r.u32();
  if (!r.ok() || magic != kDatagramMagic || (d.schema != 2 && d.schema != 3)) return d;
  d.id = r.bytes();
  if (!r.ok()) return d;
  Datagram::Kind kind = Datagram::Kind::Other;
  switch (d.type) {
    case 0:  // Heartbeat: maximum schema, then version and revision (absent in some versions)
      d.maxSchema = r.u32();
      if (r.ok() && !r.atEnd()) d.version = r.bytes();
      kind = Datagram::Kind::Heartbeat;
      break;
    case 1:  // Status
      d.dialHz = r.u64();
      d.mode = r.bytes();
      (void)r.bytes();  // DX call
      (void)r.bytes();  // report
      (void)r.bytes();  // Tx mode
      (void)r.boolean();  // Tx enabled
      d.transmitting = r.boolean();
      d.decoding = r.boolean();
      // Versions before the own call and grid end here.
      if (r.ok() && !r.atEnd()) {
        (void)r.u32();  // Rx DF
        (void)r.u32();  // Tx DF
        d.deCall = r.bytes();
        d.deGrid = r.bytes();
      }
      kind = Datagram::Kind::Status;
      break;
    case 2:  // Decode
      d.isNew = r.boolean();
      d.timeMs = r.u32();
      d.snr = r.i32();
      d.dt = r.f64();
      d.deltaHz = r.u32();
      d.mode = r.bytes();
      d.message = r.bytes();
      // Versions before these two flags end here.
      if (r.ok() && !r.atEnd()) {
        d.lowConfidence = r.boolean();
        d.offAir = r.boolean();
      }
      kind = Datagram::Kind::Decode;
      break;
    case 10:  // WSPRDecode
      d.isNew = r.boolean();
      d.timeMs = r.u32();
      d.snr = r.i32();
      d.dt = r.f64();
      d.frequencyHz = r.u64();
      d.drift = r.i32();
      d.call = r.bytes();
      d.grid = r.bytes();
      d.powerDbm = r.i32();
      if (r.ok() && !r.atEnd()) d.offAir = r.boolean();
      kind = Datagram::Kind::WsprDecode;
      break;
    default:
      break;
  }
  if (r.ok()) d.kind = kind;
  return d;
}

std::int64_t nearestDayTime(std::int64_t nowMs, std::uint32_t timeMs) {
  constexpr std::int64_t kDay = 86'400'000;
  const std::int64_t midnight = nowMs - ((nowMs % kDay) + kDay) % kDay;
  std::int64_t t = midnight + static_cast<std::int64_t>(timeMs % kDay);
  if (t - nowMs > kDay / 2) t -= kDay;
  else if (nowMs - t > kDay / 2) t += kDay;
  return t;
}

DatagramDecoder::DatagramDecoder(const Clock& clock, double rxLat, double rxLon)
    : clock_(clock), rxLat_(rxLat), rxLon_(rxLon) {}

std::int64_t DatagramDecoder::nowMs() const {
  const ClockReading r = clock_.read();
  return (toSerial(r.local) - r.offsetSeconds) * 1000;
}

bool DatagramDecoder::take(const std::uint8_t* data, std::size_t size, Decode& out) {
  ++counts_.datagrams;
  const Datagram d = parseDatagram(data, size);
  if (d.kind == Datagram::Kind::Malformed) {
    ++counts_.malformed;
    ++counts_.ignored;
    return false;
  }
  const std::int64_t now = nowMs();
  lastHeardMs_ = now;
  switch (d.kind) {
    case Datagram::Kind::Heartbeat:
      ++counts_.heartbeats;
      return false;
    case Datagram::Kind::Status: {
      ++counts_.statuses;
      auto it = status_.find(d.id);
      if (it == status_.end()) {
        if (status_.size() >= 64) {
          auto oldest = status_.begin();
          for (auto i = status_.begin(); i != status_.end(); ++i)
            if (i->second.utcMs < oldest->second.utcMs) oldest = i;
          status_.erase(oldest);
        }
        it = status_.emplace(d.id, ReceiverStatus{}).first;
      }
      ReceiverStatus& st = it->second;
      st = {d.id, d.dialHz, d.mode, d.deCall, d.deGrid, d.transmitting, d.decoding, now};
      last_ = st;
      return false;
    }
    case Datagram::Kind::Decode: {
      const auto it = status_.find(d.id);
      if (!d.isNew || d.offAir || it == status_.end()) break;
      const ReceiverStatus& st = it->second;
      std::string_view mode = modeOfCode(d.mode);
      if (mode.empty()) mode = st.mode.empty() ? std::string_view(d.mode) : std::string_view(st.mode);
      const Sender s = senderOf(d.message, mode == "WSPR" || mode == "FST4W");
      const int band = hfBandOfHz(static_cast<std::int64_t>(std::min<std::uint64_t>(st.dialHz, 1ull << 62)));
      if (band < 0 || mode.empty() || mode.size() > 12) break;
      out = Decode{};
      out.utcMs = nearestDayTime(now, d.timeMs);
      out.dialHz = static_cast<std::int64_t>(st.dialHz);
      out.band = band;
      out.mode.assign(mode);
      out.snr = d.snr;
      out.audioHz = static_cast<int>(std::min<std::uint32_t>(d.deltaHz, 1'000'000));
      out.message = d.message;
      while (!out.message.empty() && (out.message.back() == ' ' || out.message.back() == '\t')) out.message.pop_back();
      for (const char c : s.call) out.call += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      for (const char c : s.grid) out.grid += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      out.source = DecodeSource::Udp;
      out.rxLat = rxLat_;
      out.rxLon = rxLon_;
      ++counts_.decodes;
      return true;
    }
    case Datagram::Kind::WsprDecode: {
      if (!d.isNew || d.offAir) break;
      const int band = hfBandOfHz(static_cast<std::int64_t>(std::min<std::uint64_t>(d.frequencyHz, 1ull << 62)));
      std::string_view call = d.call;
      if (call.size() >= 2 && call.front() == '<' && call.back() == '>') call = call.substr(1, call.size() - 2);
      if (band < 0 || !isCall(call)) break;
      out = Decode{};
      out.utcMs = nearestDayTime(now, d.timeMs);
      // The dial is the latest Status's when it lies in the same band,
      // else the signal's own frequency stands for it.
      const auto it = status_.find(d.id);
      out.dialHz = it != status_.end() && hfBandOfHz(static_cast<std::int64_t>(it->second.dialHz)) == band
                       ? static_cast<std::int64_t>(it->second.dialHz)
                       : static_cast<std::int64_t>(d.frequencyHz);
      out.band = band;
      out.mode = "WSPR";
      out.snr = d.snr;
      out.audioHz = static_cast<int>(static_cast<std::int64_t>(d.frequencyHz) - out.dialHz);
      for (const char c : call) out.call += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      if (isGrid(d.grid))
        for (const char c : d.grid) out.grid += static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
      out.message = std::string(d.call) + " " + d.grid + " " + std::to_string(d.powerDbm);
      out.source = DecodeSource::Udp;
      out.rxLat = rxLat_;
      out.rxLon = rxLon_;
      ++counts_.decodes;
      return true;
    }
    default:
      break;
  }
  ++counts_.ignored;
  return false;
}

}  // namespace welvaro
