// Listening for the receiver's UDP messages: receive only, nothing is
// ever sent.
//
// A thread of its own receives the datagrams, reads them (datagram.h) and
// puts the live decodes into a queue of bounded length; the caller takes
// them from there whenever it likes (a window from a timer a few times a
// second, then one store transaction per batch), so neither a flood of
// datagrams nor a slow store ever blocks the caller for long, and memory
// stays bounded: what does not fit into a full queue is dropped and counted.
//
// Address: a unicast address (by default 127.0.0.1 port 2237) is bound as
// it is. A multicast group (224.0.0.0/4) is joined on the loopback
// interface, the socket bound to the group with SO_REUSEADDR and
// SO_REUSEPORT, so other programs listening to the same group keep
// receiving everything.
//
// Use in a window: start() when the user turns listening on (an error text
// for the status line when the port cannot be had), take() from a timer and
// hand the batch to DecodeStore::add, snapshot() for the status line
// (receiver heard, its last Status: band and mode), stop() at the end.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

#include "decodes/datagram.h"
#include "decodes/decode.h"
#include "state/datetime.h"

namespace welvaro {

/// Where to listen.
struct UdpEndpoint {
  std::string address = "127.0.0.1";  ///< IPv4 address in dotted form
  std::uint16_t port = 2237;
};

/// "ADDR:PORT" (or "ADDR", or ":PORT") read as an endpoint; none when the
/// address is no dotted IPv4 address or the port no number 1..65535.
std::optional<UdpEndpoint> parseEndpoint(std::string_view text);
/// Whether the address is a multicast group (224.0.0.0/4).
bool isMulticast(const std::string& address);

/// What the listener saw so far.
struct ListenerSnapshot {
  DatagramCounts counts;
  std::optional<ReceiverStatus> lastStatus;  ///< the latest Status of any sender
  std::int64_t lastHeardMs = 0;              ///< when the last datagram came [ms since 1970], 0 before any
  std::size_t queued = 0;                    ///< decodes waiting to be taken
};

class UdpListener {
 public:
  /// `clock` must outlive the listener; decodes carry the receiver
  /// position (rxLat, rxLon) [deg]. At most `queueLimit` decodes wait to be
  /// taken.
  UdpListener(const Clock& clock, double rxLat, double rxLon, std::size_t queueLimit = 100000);
  ~UdpListener();
  UdpListener(const UdpListener&) = delete;
  UdpListener& operator=(const UdpListener&) = delete;

  /// Opens the socket and starts the receiving thread. Returns an empty
  /// text, or what went wrong (the address cannot be bound, the group not
  /// joined); the listener then is not running.
  std::string start(const UdpEndpoint& where);
  /// Stops the thread and closes the socket (within about 0.1 s).
  void stop();
  bool running() const { return thread_.joinable(); }
  /// The port actually bound (useful when started on port 0).
  std::uint16_t boundPort() const { return boundPort_; }

  /// Moves up to `limit` waiting decodes, oldest first, to the end of `out`;
  /// returns how many.
  std::size_t take(std::vector<Decode>& out, std::size_t limit = SIZE_MAX);
  ListenerSnapshot snapshot() const;

 private:
  void run();

  const Clock& clock_;
  double rxLat_, rxLon_;
  std::size_t limit_;
  int fd_ = -1;
  std::uint16_t boundPort_ = 0;
  std::thread thread_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::vector<Decode> queue_;   // guarded by mutex_
  std::size_t head_ = 0;        // first waiting entry of queue_
  DatagramCounts counts_;       // guarded by mutex_
  std::optional<ReceiverStatus> lastStatus_;
  std::int64_t lastHeardMs_ = 0;
};

}  // namespace welvaro
