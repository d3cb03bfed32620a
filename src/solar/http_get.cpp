#include "solar/http_get.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace welvaro {

namespace {

// libcurl's global set-up is not safe to run on two threads at once: done
// once, before the first transfer, whichever thread starts it.
void curlSetUp() {
  static std::once_flag once;
  std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct Transfer {
  CURL* curl = nullptr;
  const HttpLimits* limits = nullptr;
  const std::atomic<bool>* cancel = nullptr;
  const HttpProgress* progress = nullptr;
  std::string body;
  bool tooLarge = false;
  bool badStatus = false;
};

// The body as it arrives. An answer other than 200 is not read further,
// and a body that would pass the limit stops the transfer.
std::size_t onBody(char* data, std::size_t size, std::size_t count, void* user) {
  auto* t = static_cast<Transfer*>(user);
  const std::size_t n = size * count;
  long status = 0;
  curl_easy_getinfo(t->curl, CURLINFO_RESPONSE_CODE, &status);
  if (status != 200) {
    t->badStatus = true;
    return 0;
  }
  if (n > t->limits->maxBody - t->body.size()) {
    t->tooLarge = true;
    return 0;
  }
  t->body.append(data, n);
  return n;
}

int onProgress(void* user, curl_off_t total, curl_off_t now, curl_off_t, curl_off_t) {
  auto* t = static_cast<Transfer*>(user);
  if (t->cancel && t->cancel->load()) return 1;
  if (*t->progress) (*t->progress)(static_cast<std::int64_t>(now), static_cast<std::int64_t>(total));
  return 0;
}

HttpResult::Kind kindOf(CURLcode rc, const Transfer& t) {
  switch (rc) {
    case CURLE_OPERATION_TIMEDOUT: return HttpResult::kTimeout;
    case CURLE_ABORTED_BY_CALLBACK: return HttpResult::kCancelled;
    case CURLE_FILESIZE_EXCEEDED: return HttpResult::kTooLarge;
    case CURLE_WRITE_ERROR:
      if (t.badStatus) return HttpResult::kHttpStatus;
      return t.tooLarge ? HttpResult::kTooLarge : HttpResult::kConnection;
    case CURLE_PARTIAL_FILE: return HttpResult::kIncomplete;
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_CRL_BADFILE:
      return HttpResult::kCertificate;
    default: return HttpResult::kConnection;
  }
}

}  // namespace

HttpResult httpGet(const std::string& url, const HttpLimits& limits, const std::atomic<bool>* cancel,
                   const HttpProgress& progress) {
  curlSetUp();
  HttpResult r;
  std::unique_ptr<CURL, void (*)(CURL*)> curl(curl_easy_init(), curl_easy_cleanup);
  if (!curl) {
    r.kind = HttpResult::kConnection;
    r.detail = "the network library could not start";
    return r;
  }
  Transfer t;
  t.curl = curl.get();
  t.limits = &limits;
  t.cancel = cancel;
  t.progress = &progress;
  char error[CURL_ERROR_SIZE] = {};
  const long ms = static_cast<long>(std::max<std::chrono::milliseconds::rep>(1, limits.timeout.count()));
  CURL* c = curl.get();
  curl_easy_setopt(c, CURLOPT_URL, url.c_str());
  curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
  // Only http and https, also where a redirect leads.
  curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
  curl_easy_setopt(c, CURLOPT_FOLLOWLOCATION, 1L);
  curl_easy_setopt(c, CURLOPT_MAXREDIRS, 5L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
  curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
  curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(c, CURLOPT_TIMEOUT_MS, ms);
  curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, ms);
  curl_easy_setopt(c, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(limits.maxBody));
  curl_easy_setopt(c, CURLOPT_USERAGENT, "Welvaro");
  curl_easy_setopt(c, CURLOPT_WRITEFUNCTION, onBody);
  curl_easy_setopt(c, CURLOPT_WRITEDATA, &t);
  curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
  curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, onProgress);
  curl_easy_setopt(c, CURLOPT_XFERINFODATA, &t);

  const CURLcode rc = curl_easy_perform(c);
  curl_easy_getinfo(c, CURLINFO_RESPONSE_CODE, &r.status);
  if (rc != CURLE_OK) {
    r.kind = kindOf(rc, t);
    // An error page is an error page, whatever its size.
    if (r.kind == HttpResult::kTooLarge && r.status != 0 && r.status != 200) r.kind = HttpResult::kHttpStatus;
    r.detail = error[0] != '\0' ? std::string(error) : std::string(curl_easy_strerror(rc));
    while (!r.detail.empty() && (r.detail.back() == '\n' || r.detail.back() == ' ')) r.detail.pop_back();
    return r;
  }
  if (r.status != 200) {
    r.kind = HttpResult::kHttpStatus;
    r.detail = "HTTP status " + std::to_string(r.status);
    return r;
  }
  r.body = std::move(t.body);
  return r;
}

}  // namespace welvaro
