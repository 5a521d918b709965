#include "server/http_service.h"

#include <sys/epoll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <vector>

#include "server/http_request.h"

namespace orvinta::server {
namespace {


// The end of the head: a blank line, with or without carriage returns.
bool HeadComplete(const std::string& request) {
  return request.find("\r\n\r\n") != std::string::npos || request.find("\n\n") != std::string::npos;
}

}  // namespace

HttpService::HttpService(EventLoop& loop, Listener& listener, const Clock& clock, const HttpSite& site,
                         HttpLimits limits)
    : loop_(loop),
      listener_(listener),
      clock_(clock),
      site_(site),
      limits_(limits),
      perAddress_(limits.maxPerAddress, limits.capLoopback),
      busyResponse_(HttpSite::ErrorPage(503, "Retry-After: " + std::to_string(limits.retryAfterSeconds) + "\r\n")) {}

HttpService::~HttpService() {
  for (auto& [id, x] : exchanges_) loop_.Remove(x->token);
}

bool HttpService::Start() {
  return loop_.Add(listener_.Fd(), EPOLLIN, [this](std::uint32_t) { OnAcceptable(); }) != 0;
}

void HttpService::OnAcceptable() {
  std::string peer;
  for (int fd; (fd = listener_.Accept(&peer)) >= 0;) {
    if (exchanges_.size() >= limits_.maxExchanges || !perAddress_.TryTake(peer)) {
      TurnAway(fd);
      continue;
    }
    const std::uint64_t id = nextId_++;
    auto x = std::make_unique<Exchange>();
    x->fd.Reset(fd);
    x->peer = peer;
    x->accepted = clock_.Now();
    x->deadline = x->accepted + limits_.idleBeforeRequest;
    x->token = loop_.Add(fd, EPOLLIN, [this, id](std::uint32_t events) { OnEvents(id, events); });
    if (x->token == 0) {
      perAddress_.Release(peer);
      continue;
    }
    exchanges_.emplace(id, std::move(x));
  }
}

void HttpService::TurnAway(int fd) {
  UniqueFd socket(fd);
  // A fresh socket's buffer takes the short answer whole. What the browser
  // already sent is read first, so that the close is not a reset that loses it.
  char sink[4096];
  while (read(fd, sink, sizeof sink) > 0) {
  }
  (void)!send(fd, busyResponse_.data(), busyResponse_.size(), MSG_NOSIGNAL | MSG_DONTWAIT);
  shutdown(fd, SHUT_WR);
}

void HttpService::OnEvents(std::uint64_t id, std::uint32_t events) {
  const auto it = exchanges_.find(id);
  if (it == exchanges_.end()) return;
  Exchange& x = *it->second;
  if (events & EPOLLERR) {
    Finish(id);
    return;
  }
  if (x.response.empty()) {
    ReadRequest(id, x);
  } else {
    WriteResponse(id, x);
  }
}

void HttpService::ReadRequest(std::uint64_t id, Exchange& x) {
  char buffer[4096];
  const ssize_t n = read(x.fd.Get(), buffer, sizeof buffer);
  if (n <= 0) {
    if (n == 0 || (errno != EAGAIN && errno != EINTR)) Finish(id);
    return;
  }
  // Once the request has begun it gets the whole exchange time.
  if (x.request.empty()) x.deadline = x.accepted + limits_.exchangeTimeout;
  x.request.append(buffer, static_cast<std::size_t>(n));
  if (HeadComplete(x.request)) {
    Answer(x, site_.Respond(x.request, x.peer));
  } else if (x.request.size() > kMaxHttpHead) {
    Answer(x, HttpSite::Response(431, "text/plain; charset=utf-8", "431 Request Header Fields Too Large\n"));
  } else {
    return;
  }
  WriteResponse(id, x);
}

void HttpService::Answer(Exchange& x, std::string response) {
  x.request.clear();
  x.response = std::move(response);
  loop_.Modify(x.token, EPOLLOUT);
}

void HttpService::WriteResponse(std::uint64_t id, Exchange& x) {
  while (x.sent < x.response.size()) {
    const ssize_t n = send(x.fd.Get(), x.response.data() + x.sent, x.response.size() - x.sent, MSG_NOSIGNAL);
    if (n > 0) {
      x.sent += static_cast<std::size_t>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
      return;
    } else {
      break;
    }
  }
  shutdown(x.fd.Get(), SHUT_WR);
  Finish(id);
}

void HttpService::Finish(std::uint64_t id) {
  const auto it = exchanges_.find(id);
  if (it == exchanges_.end()) return;
  loop_.Remove(it->second->token);
  perAddress_.Release(it->second->peer);
  exchanges_.erase(it);
}

void HttpService::AfterEvents() {
  const Millis now = clock_.Now();
  std::vector<std::uint64_t> late;
  for (const auto& [id, x] : exchanges_) {
    if (now >= x->deadline) late.push_back(id);
  }
  for (std::uint64_t id : late) Finish(id);
}

}  // namespace orvinta::server
