#include "server/event_loop.h"

#include <sys/epoll.h>

#include <cerrno>

namespace orvinta::server {

EventLoop::EventLoop() : epoll_(epoll_create1(EPOLL_CLOEXEC)) {}

EventLoop::Token EventLoop::Add(int fd, std::uint32_t events, Handler handler) {
  const Token token = nextToken_++;
  epoll_event ev{};
  ev.events = events;
  ev.data.u64 = token;
  if (epoll_ctl(epoll_.Get(), EPOLL_CTL_ADD, fd, &ev) != 0) return 0;
  registrations_.emplace(token, Registration{fd, std::move(handler)});
  return token;
}

void EventLoop::Modify(Token token, std::uint32_t events) {
  const auto it = registrations_.find(token);
  if (it == registrations_.end()) return;
  epoll_event ev{};
  ev.events = events;
  ev.data.u64 = token;
  epoll_ctl(epoll_.Get(), EPOLL_CTL_MOD, it->second.fd, &ev);
}

void EventLoop::Remove(Token token) {
  const auto it = registrations_.find(token);
  if (it == registrations_.end()) return;
  epoll_ctl(epoll_.Get(), EPOLL_CTL_DEL, it->second.fd, nullptr);
  registrations_.erase(it);
}

void EventLoop::Run(int wakeMs, const std::function<int()>& afterEvents) {
  constexpr int kBatch = 256;
  epoll_event events[kBatch];
  running_ = true;
  int timeout = wakeMs;
  while (running_) {
    const int n = epoll_wait(epoll_.Get(), events, kBatch, timeout);
    if (n < 0 && errno != EINTR) break;
    for (int i = 0; i < n && running_; ++i) {
      const auto it = registrations_.find(events[i].data.u64);
      if (it == registrations_.end()) continue;
      // A copy: the handler may remove its own registration.
      const Handler handler = it->second.handler;
      handler(events[i].events);
    }
    if (running_) {
      const int asked = afterEvents();
      timeout = asked < 0 || asked > wakeMs ? wakeMs : asked;
    }
  }
}

}  // namespace orvinta::server
