// welvaro-cli heard and listen: the decodes of a digital-mode receiver,
// read from its log files or received over UDP, stored, and summed up per
// band.
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <nlohmann/json.hpp>
#include <ostream>

#include "cli/commands.h"
#include "decodes/heard.h"
#include "decodes/listener.h"
#include "decodes/logreader.h"
#include "decodes/store.h"
#include "files/programdir.h"
#include "lang/sprachtext.h"
#include "state/bands.h"
#include "state/datetime.h"

namespace welvaro::cli {

namespace {

// Keys in the order they are written.
using json = nlohmann::ordered_json;

// Opens --store, or the user's store in the program's folder for written
// files. A store set aside as damaged is told on the error stream.
bool openStore(const Invocation& a, const Context& k, const char* cmd, DecodeStore& store) {
  std::filesystem::path file = a.store;
  if (file.empty()) {
    const ProgramDirs dirs = resolveProgramDirs(systemProgramDirInputs());
    std::error_code ec;
    std::filesystem::create_directories(dirs.writeDir, ec);
    file = ownFile(dirs, kHeardStoreFile);
  }
  const std::string err = store.open(file);
  if (const auto m = store.takeSetAside()) k.err << "welvaro-cli " << cmd << ": " << messageText(1, *m) << "\n";
  if (!err.empty()) {
    k.err << "welvaro-cli " << cmd << ": " << err << "\n";
    return false;
  }
  return true;
}

std::int64_t nowUtcMs(const Clock& clock) {
  const ClockReading r = clock.read();
  return (toSerial(r.local) - r.offsetSeconds) * 1000;
}

void applyRetention(const Invocation& a, const Context& k, DecodeStore& store) {
  if (a.keepDays > 0) store.dropOlderThan(nowUtcMs(k.clock) - static_cast<std::int64_t>(a.keepDays) * 86'400'000);
}

std::string utcText(std::int64_t ms) {
  const DateTime t = fromSerial(ms >= 0 ? ms / 1000 : -((-ms + 999) / 1000));
  char b[32];
  std::snprintf(b, sizeof b, "%04d-%02d-%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour, t.minute, t.second);
  return b;
}

std::string padLeft(std::string t, std::size_t w) { return t.size() >= w ? t : std::string(w - t.size(), ' ') + t; }
std::string padRight(std::string t, std::size_t w) { return t.size() >= w ? t : t + std::string(w - t.size(), ' '); }

int runHeard(Invocation& a, const Context& k) {
  DecodeStore store;
  if (!openStore(a, k, "heard", store)) return kExitFileError;
  const double rxLat = a.rx ? a.rx->first : a.s->X1, rxLon = a.rx ? a.rx->second : a.s->Y1;
  std::vector<LogFile> logs;
  for (const std::string& p : a.logs) logs.push_back({p, rxLat, rxLon});
  LogReadCounts read;
  bool failed = false;
  for (const LogFile& log : logs) {
    const LogReadCounts c = importLogs(store, {log});
    if (!c.error.empty()) {
      k.err << "welvaro-cli heard: " << c.error << "\n";
      failed = true;
    }
    read += c;
  }
  applyRetention(a, k, store);

  const HeardSpan span = a.since.empty() ? HeardSpan::All : *parseHeardSpan(a.since);
  const bool list = a.has("--list");
  std::vector<StoredDecode> rows;  // only with --list
  HeardSummarizer summarizer({a.s->OrtX2, a.s->OrtY2});
  if (const auto newest = store.newestMs())
    store.forEachBetween(spanStartMs(*newest, span), *newest, a.band, [&](const StoredDecode& d) {
      summarizer.add(d);
      if (list) rows.push_back(d);
      return true;
    });
  const HeardSummary sum = summarizer.result();

  if (a.format == "json") {
    json j;
    j["bands"] = json::array();
    for (const BandHeard& b : sum) {
      if (b.decodes == 0) continue;
      json e = {{"band", std::string(kHfBands[static_cast<std::size_t>(b.band)].name)},
                {"decodes", b.decodes},
                {"stations", b.stations},
                {"best_snr", b.bestSnr}};
      e["farthest_km"] = b.farthestKm ? json(std::lround(*b.farthestKm)) : json(nullptr);
      j["bands"].push_back(e);
    }
    j["skipped_lines"] = read.unreadable;
    if (list) {
      j["decodes"] = json::array();
      for (const StoredDecode& d : rows) {
        json e = {{"utc", utcText(d.utcMs)},
                  {"band", std::string(kHfBands[static_cast<std::size_t>(d.band)].name)},
                  {"dial_hz", d.dialHz},
                  {"mode", d.mode},
                  {"snr", d.snr},
                  {"call", d.call.empty() ? json(nullptr) : json(d.call)},
                  {"grid", d.grid.empty() ? json(nullptr) : json(d.grid)},
                  {"grid_from_earlier", d.gridSource == GridSource::Earlier},
                  {"message", d.message}};
        e["distance_km"] = d.located ? json(std::lround(d.distanceKm)) : json(nullptr);
        e["bearing"] = d.located ? json(std::lround(d.bearing) % 360) : json(nullptr);
        j["decodes"].push_back(e);
      }
    }
    k.out << j.dump(-1, ' ', false, json::error_handler_t::replace) << "\n";
  } else {
    if (list) {
      for (const StoredDecode& d : rows) {
        std::string grid = d.grid.empty() ? "-" : d.grid + (d.gridSource == GridSource::Earlier ? "*" : "");
        k.out << utcText(d.utcMs) << "  " << padRight(std::string(kHfBands[static_cast<std::size_t>(d.band)].name), 4)
              << "  " << padRight(d.mode, 6) << padLeft(std::to_string(d.snr), 4) << "  " << padRight(d.call.empty() ? "-" : d.call, 12)
              << padRight(grid, 8)
              << padLeft(d.located ? std::to_string(std::lround(d.distanceKm)) + " km" : "", 9) << "  " << d.message
              << "\n";
      }
      k.out << "\n";
    }
    k.out << "band   decodes  stations  best SNR  farthest km\n";
    for (const BandHeard& b : sum) {
      if (b.decodes == 0) continue;
      k.out << padRight(std::string(kHfBands[static_cast<std::size_t>(b.band)].name), 5)
            << padLeft(std::to_string(b.decodes), 9) << padLeft(std::to_string(b.stations), 10)
            << padLeft(std::to_string(b.bestSnr), 10)
            << padLeft(b.farthestKm ? std::to_string(std::lround(*b.farthestKm)) : "-", 13) << "\n";
    }
    k.out << "skipped lines: " << read.unreadable << "\n";
  }
  return failed ? kExitFileError : kExitOk;
}

// SIGINT and SIGTERM as a file to poll while listening: Ctrl-C ends the
// listening with its summary. The mask is restored at the end.
class StopSignals {
 public:
  StopSignals() {
    sigset_t s;
    sigemptyset(&s);
    sigaddset(&s, SIGINT);
    sigaddset(&s, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &s, &old_);
    fd_ = signalfd(-1, &s, SFD_CLOEXEC | SFD_NONBLOCK);
  }
  ~StopSignals() {
    if (fd_ >= 0) ::close(fd_);
    pthread_sigmask(SIG_SETMASK, &old_, nullptr);
  }
  // Waits up to `ms`; true when a stop signal came.
  bool wait(int ms) {
    if (fd_ < 0) {
      ::usleep(static_cast<useconds_t>(ms) * 1000);
      return false;
    }
    pollfd p{fd_, POLLIN, 0};
    return ::poll(&p, 1, ms) > 0;
  }

 private:
  sigset_t old_{};
  int fd_ = -1;
};

int runListen(Invocation& a, const Context& k) {
  DecodeStore store;
  if (!openStore(a, k, "listen", store)) return kExitFileError;
  applyRetention(a, k, store);
  const UdpEndpoint where = a.udp.empty() ? UdpEndpoint{} : *parseEndpoint(a.udp);
  const double rxLat = a.rx ? a.rx->first : a.s->X1, rxLon = a.rx ? a.rx->second : a.s->Y1;
  StopSignals signals;  // before the thread starts, which inherits the mask
  UdpListener listener(k.clock, rxLat, rxLon);
  if (const std::string err = listener.start(where); !err.empty()) {
    k.err << "welvaro-cli listen: " << err << "\n";
    return kExitFileError;
  }
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(a.seconds);
  std::vector<Decode> batch;
  bool failed = false;
  const auto flush = [&] {
    batch.clear();
    while (listener.take(batch, 20000) > 0) {
      if (!store.add(batch) && !failed) {
        k.err << "welvaro-cli listen: " << store.error() << "\n";
        failed = true;
      }
      batch.clear();
    }
  };
  for (;;) {
    int wait = 200;
    if (a.seconds > 0) {
      const auto left =
          std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now()).count();
      if (left <= 0) break;
      wait = static_cast<int>(std::min<long long>(wait, left));
    }
    if (signals.wait(wait)) break;
    flush();
  }
  listener.stop();
  flush();
  const ListenerSnapshot snap = listener.snapshot();
  if (a.format == "json") {
    json j = {{"datagrams", snap.counts.datagrams}, {"decodes", snap.counts.decodes}, {"ignored", snap.counts.ignored}};
    k.out << j.dump() << "\n";
  } else {
    k.out << "datagrams: " << snap.counts.datagrams << "\ndecodes: " << snap.counts.decodes
          << "\nignored: " << snap.counts.ignored << " (malformed: " << snap.counts.malformed << ")\n";
    if (snap.counts.dropped > 0) k.out << "dropped: " << snap.counts.dropped << "\n";
  }
  return failed ? kExitFileError : kExitOk;
}

}  // namespace

Command heardCommand() {
  return {.name = "heard",
          .options = {"--log", "--store", "--since", "--band", "--rx", "--list", "--keep-days", "--format"},
          .required = {"--log"},
          .formats = {"text", "json"},
          .run = runHeard};
}

Command listenCommand() {
  return {.name = "listen",
          .options = {"--udp", "--seconds", "--store", "--rx", "--keep-days", "--format"},
          .formats = {"text", "json"},
          .run = runListen};
}

}  // namespace welvaro::cli
