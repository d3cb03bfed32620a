// A small HTTP server for tests, on 127.0.0.1 and a port the system picks:
// one connection at a time, one answer per connection, each answer chosen
// by the test from the requested path. It can also misbehave on purpose:
// announce more bytes than it sends, send a body of any size without
// announcing it, or never answer at all.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/time.h>
#include <unistd.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>

namespace welvaro::test {

struct HttpReply {
  int status = 200;
  std::string body{};                    ///< sent `repeat` times
  std::size_t repeat = 1;
  std::optional<std::size_t> announced{};  ///< Content-Length to announce; default: the whole body
  bool announce = true;                  ///< false: no Content-Length, the body ends when the connection closes
  std::string location{};                ///< a Location header (redirects)
  bool hang = false;                     ///< read the request and never answer
};

class LocalHttpServer {
 public:
  using Handler = std::function<HttpReply(const std::string& path)>;

  explicit LocalHttpServer(Handler handler) : handler_(std::move(handler)) {
    listen_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (listen_ < 0) throw std::runtime_error("socket");
    const int one = 1;
    ::setsockopt(listen_, SOL_SOCKET, SO_REUSEADDR, &one, sizeof one);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t len = sizeof a;
    if (::bind(listen_, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || ::listen(listen_, 8) != 0 ||
        ::getsockname(listen_, reinterpret_cast<sockaddr*>(&a), &len) != 0) {
      ::close(listen_);
      throw std::runtime_error("bind/listen on 127.0.0.1");
    }
    port_ = ntohs(a.sin_port);
    thread_ = std::thread([this] { run(); });
  }
  ~LocalHttpServer() {
    stop_ = true;
    thread_.join();
    ::close(listen_);
  }
  LocalHttpServer(const LocalHttpServer&) = delete;
  LocalHttpServer& operator=(const LocalHttpServer&) = delete;

  int port() const { return port_; }
  std::string base() const { return "http://127.0.0.1:" + std::to_string(port_); }
  int requests() const { return requests_; }

 private:
  // Waits until `fd` is readable or the server stops; false when stopping.
  bool wait(int fd) {
    while (!stop_) {
      pollfd p{fd, POLLIN, 0};
      if (::poll(&p, 1, 20) > 0) return true;
    }
    return false;
  }

  void run() {
    while (wait(listen_)) {
      const int fd = ::accept(listen_, nullptr, nullptr);
      if (fd < 0) continue;
      // A client that stops reading must not hold the server for long.
      timeval t{1, 0};
      ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &t, sizeof t);
      serve(fd);
      ::close(fd);
    }
  }

  bool send(int fd, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size() && !stop_) {
      const ssize_t n = ::send(fd, bytes.data() + done, bytes.size() - done, MSG_NOSIGNAL);
      if (n <= 0) return false;
      done += static_cast<std::size_t>(n);
    }
    return done == bytes.size();
  }

  void serve(int fd) {
    std::string request;
    while (request.find("\r\n\r\n") == std::string::npos) {
      if (!wait(fd)) return;
      char buf[4096];
      const ssize_t n = ::recv(fd, buf, sizeof buf, 0);
      if (n <= 0) return;
      request.append(buf, static_cast<std::size_t>(n));
    }
    ++requests_;
    const auto from = request.find(' ') + 1;
    const std::string path = request.substr(from, request.find(' ', from) - from);
    const HttpReply r = handler_(path);
    if (r.hang) {
      // Until the client gives up (closes) or the server stops.
      char buf[256];
      while (wait(fd) && ::recv(fd, buf, sizeof buf, 0) > 0) {
      }
      return;
    }
    std::string head = "HTTP/1.1 " + std::to_string(r.status) + " Test\r\nConnection: close\r\n";
    if (r.announce)
      head += "Content-Length: " + std::to_string(r.announced.value_or(r.body.size() * r.repeat)) + "\r\n";
    if (!r.location.empty()) head += "Location: " + r.location + "\r\n";
    head += "\r\n";
    if (!send(fd, head)) return;
    for (std::size_t i = 0; i < r.repeat; ++i)
      if (!send(fd, r.body)) return;
    ::shutdown(fd, SHUT_WR);
  }

  Handler handler_;
  int listen_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::atomic<int> requests_{0};
  std::thread thread_;
};

}  // namespace welvaro::test
