// One HTTP(S) GET with the limits a download of outside data needs: a
// deadline for the whole transfer, a cap on the size of the body, TLS
// verification always on, redirects followed only to http and https, and a
// cancel flag another thread may set. Built on libcurl; safe to run on a
// worker thread (no signals, libcurl's global set-up done once).
#pragma once

#include <atomic>
#include <chrono>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace welvaro {

struct HttpLimits {
  std::chrono::milliseconds timeout{20000};    ///< whole transfer, connection included
  std::size_t maxBody = 2 * 1024 * 1024;       ///< a longer body is cut off and refused [bytes]
};

/// Bytes received so far and the size the server announced (0 when it
/// announced none). Called on the thread that runs the transfer.
using HttpProgress = std::function<void(std::int64_t received, std::int64_t total)>;

struct HttpResult {
  enum Kind {
    kOk,          ///< status 200, the body whole
    kCancelled,   ///< the cancel flag was set
    kTimeout,     ///< the deadline passed
    kTooLarge,    ///< the body (or its announced size) exceeded maxBody
    kIncomplete,  ///< the connection ended before the announced body was in
    kHttpStatus,  ///< the server answered with a status other than 200
    kCertificate, ///< TLS: the server's certificate could not be verified
    kConnection,  ///< no connection (name not found, refused, unsupported or refused redirect, ...)
  };
  Kind kind = kOk;
  long status = 0;      ///< HTTP status of the last answer, 0 when none came
  std::string body;     ///< the body when kOk
  std::string detail;   ///< libcurl's words for what went wrong (English), empty when ok
  bool ok() const { return kind == kOk; }
};

/// Fetches `url` (http:// or https:// only). `cancel` may be null; when it
/// is set (by any thread) the transfer stops at libcurl's next progress call,
/// at most about a second later.
HttpResult httpGet(const std::string& url, const HttpLimits& limits, const std::atomic<bool>* cancel = nullptr,
                   const HttpProgress& progress = {});

}  // namespace welvaro
