#include "server/event_loop.h"

#include <sys/epoll.h>

#include <cerrno>

namespace orvinta::server {

EventLoop::EventLoop() : epoll_(epoll_create1(EPOLL_CLOEXEC)) {}

// A token is the slot's generation (from 1, so no token is 0) above its index.
EventLoop::Registration* EventLoop::Find(Token token) {
  const std::size_t index = token & 0xFFFFFFFFu;
  if (index >= registrations_.size()) return nullptr;
  Registration& r = registrations_[index];
  return r.fd >= 0 && r.generation == token >> 32 ? &r : nullptr;
}

EventLoop::Token EventLoop::Add(int fd, std::uint32_t events, Handler handler) {
  std::size_t index = registrations_.size();
  if (!free_.empty()) index = free_.back();
  const std::uint32_t generation = index < registrations_.size() ? registrations_[index].generation + 1 : 1;
  const Token token = (static_cast<Token>(generation) << 32) | index;
  epoll_event ev{};
  ev.events = events;
  ev.data.u64 = token;
  if (epoll_ctl(epoll_.Get(), EPOLL_CTL_ADD, fd, &ev) != 0) return 0;
  if (index == registrations_.size()) {
    registrations_.emplace_back();
  } else {
    free_.pop_back();
  }
  registrations_[index] = Registration{fd, generation, std::move(handler)};
  return token;
}

void EventLoop::Modify(Token token, std::uint32_t events) {
  const Registration* r = Find(token);
  if (r == nullptr) return;
  epoll_event ev{};
  ev.events = events;
  ev.data.u64 = token;
  epoll_ctl(epoll_.Get(), EPOLL_CTL_MOD, r->fd, &ev);
}

void EventLoop::Remove(Token token) {
  Registration* r = Find(token);
  if (r == nullptr) return;
  epoll_ctl(epoll_.Get(), EPOLL_CTL_DEL, r->fd, nullptr);
  r->fd = -1;
  r->handler = nullptr;
  free_.push_back(static_cast<std::uint32_t>(token & 0xFFFFFFFFu));
}

std::uint64_t EventLoop::BeforeWait(Hook hook) {
  beforeWait_.emplace_back(nextHook_, std::move(hook));
  return nextHook_++;
}

void EventLoop::RemoveBeforeWait(std::uint64_t id) {
  std::erase_if(beforeWait_, [id](const auto& hook) { return hook.first == id; });
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
      const Registration* r = Find(events[i].data.u64);
      if (r == nullptr) continue;
      // A copy: the handler may remove its own registration (and Add may move the slots).
      const Handler handler = r->handler;
      handler(events[i].events);
    }
    if (running_) {
      const int asked = afterEvents();
      timeout = asked < 0 || asked > wakeMs ? wakeMs : asked;
    }
    for (auto& [id, hook] : beforeWait_) {
      const int asked = hook();
      if (asked >= 0 && asked < timeout) timeout = asked;
    }
  }
}

}  // namespace orvinta::server
