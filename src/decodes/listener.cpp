#include "decodes/listener.h"

#include <arpa/inet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <charconv>
#include <cstring>

namespace welvaro {

std::optional<UdpEndpoint> parseEndpoint(std::string_view text) {
  UdpEndpoint e;
  const auto colon = text.rfind(':');
  std::string_view addr = text.substr(0, colon);
  if (colon != std::string_view::npos) {
    const std::string_view p = text.substr(colon + 1);
    unsigned v = 0;
    const auto r = std::from_chars(p.data(), p.data() + p.size(), v);
    if (p.empty() || r.ec != std::errc() || r.ptr != p.data() + p.size() || v < 1 || v > 65535)
      return std::nullopt;
    e.port = static_cast<std::uint16_t>(v);
  }
  if (!addr.empty()) {
    in_addr a{};
    const std::string s(addr);
    if (::inet_pton(AF_INET, s.c_str(), &a) != 1) return std::nullopt;
    e.address = s;
  }
  return e;
}

bool isMulticast(const std::string& address) {
  in_addr a{};
  if (::inet_pton(AF_INET, address.c_str(), &a) != 1) return false;
  return (ntohl(a.s_addr) >> 28) == 0xE;
}

UdpListener::UdpListener(const Clock& clock, double rxLat, double rxLon, std::size_t queueLimit)
    : clock_(clock), rxLat_(rxLat), rxLon_(rxLon), limit_(queueLimit) {}

UdpListener::~UdpListener() { stop(); }

std::string UdpListener::start(const UdpEndpoint& where) {
  stop();
  in_addr addr{};
  if (::inet_pton(AF_INET, where.address.c_str(), &addr) != 1) return "'" + where.address + "' is no IPv4 address";
  const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return std::string("socket: ") + std::strerror(errno);
  const auto fail = [&](const char* what) {
    const std::string m = std::string(what) + " " + where.address + ":" + std::to_string(where.port) + ": " +
                          std::strerror(errno);
    ::close(fd);
    return m;
  };
  const bool group = isMulticast(where.address);
  if (group) {
    // Other listeners of the same group keep theirs.
    const int on = 1;
    if (::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on) != 0 ||
        ::setsockopt(fd, SOL_SOCKET, SO_REUSEPORT, &on, sizeof on) != 0)
      return fail("cannot share");
  }
  // Room for a burst while the thread is busy.
  const int rcv = 4 << 20;
  ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &rcv, sizeof rcv);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(where.port);
  sa.sin_addr = addr;
  if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) return fail("cannot listen on");
  if (group) {
    ip_mreqn m{};
    m.imr_multiaddr = addr;
    m.imr_address.s_addr = htonl(INADDR_LOOPBACK);
    m.imr_ifindex = static_cast<int>(::if_nametoindex("lo"));
    if (::setsockopt(fd, IPPROTO_IP, IP_ADD_MEMBERSHIP, &m, sizeof m) != 0) return fail("cannot join");
  }
  sockaddr_in bound{};
  socklen_t len = sizeof bound;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&bound), &len);
  boundPort_ = ntohs(bound.sin_port);
  fd_ = fd;
  stop_ = false;
  thread_ = std::thread([this] { run(); });
  return {};
}

void UdpListener::stop() {
  if (thread_.joinable()) {
    stop_ = true;
    thread_.join();
  }
  if (fd_ >= 0) ::close(fd_);
  fd_ = -1;
}

void UdpListener::run() {
  DatagramDecoder decoder(clock_, rxLat_, rxLon_);
  std::vector<std::uint8_t> buf(65536);
  std::vector<Decode> fresh;
  std::uint64_t dropped = 0;
  while (!stop_) {
    pollfd p{fd_, POLLIN, 0};
    const int r = ::poll(&p, 1, 100);
    if (r <= 0) continue;
    // Everything waiting now, up to a bound, then one hand-over.
    for (int i = 0; i < 4096; ++i) {
      const ssize_t n = ::recv(fd_, buf.data(), buf.size(), MSG_DONTWAIT);
      if (n < 0) break;
      Decode d;
      if (decoder.take(buf.data(), static_cast<std::size_t>(n), d)) fresh.push_back(std::move(d));
    }
    std::lock_guard<std::mutex> lock(mutex_);
    for (Decode& d : fresh) {
      if (queue_.size() - head_ >= limit_) {
        ++dropped;
        continue;
      }
      queue_.push_back(std::move(d));
    }
    fresh.clear();
    counts_ = decoder.counts();
    counts_.dropped = dropped;
    lastStatus_ = decoder.lastStatus();
    lastHeardMs_ = decoder.lastHeardMs();
  }
}

std::size_t UdpListener::take(std::vector<Decode>& out, std::size_t limit) {
  std::lock_guard<std::mutex> lock(mutex_);
  const std::size_t n = std::min(limit, queue_.size() - head_);
  for (std::size_t i = 0; i < n; ++i) out.push_back(std::move(queue_[head_ + i]));
  head_ += n;
  if (head_ == queue_.size()) {
    queue_.clear();
    head_ = 0;
  } else if (head_ > 4096 && head_ * 2 > queue_.size()) {
    queue_.erase(queue_.begin(), queue_.begin() + static_cast<std::ptrdiff_t>(head_));
    head_ = 0;
  }
  return n;
}

ListenerSnapshot UdpListener::snapshot() const {
  std::lock_guard<std::mutex> lock(mutex_);
  return {counts_, lastStatus_, lastHeardMs_, queue_.size() - head_};
}

}  // namespace welvaro
