#pragma once
// A single-threaded epoll loop. Each registration gets its own token (a slot
// and the slot's generation), so an event still queued for a descriptor that
// was closed (and whose number was reused) in the same batch is recognised and
// skipped.
#include <cstdint>
#include <functional>
#include <utility>
#include <vector>

#include "server/unique_fd.h"

namespace orvinta::server {

class EventLoop {
 public:
  using Handler = std::function<void(std::uint32_t events)>;
  using Token = std::uint64_t;

  EventLoop();
  bool Valid() const { return epoll_.Valid(); }

  // 0 when the descriptor could not be added.
  Token Add(int fd, std::uint32_t events, Handler handler);
  void Modify(Token token, std::uint32_t events);
  void Remove(Token token);

  // Runs at the end of every turn, just before the loop waits again: a place
  // to send in one call what the turn's events queued. The hook returns the
  // milliseconds until it must run again, or -1; it must not add or remove
  // hooks. Returns an id for RemoveBeforeWait (never 0).
  using Hook = std::function<int()>;
  std::uint64_t BeforeWait(Hook hook);
  void RemoveBeforeWait(std::uint64_t id);

  // Runs until Stop. afterEvents runs after every wake-up: after each batch of
  // events and at least every wakeMs milliseconds; it may ask for the next
  // wake-up sooner by returning fewer milliseconds (a negative value: wakeMs).
  void Run(int wakeMs, const std::function<int()>& afterEvents);
  void Stop() { running_ = false; }

 private:
  struct Registration {
    int fd = -1;  // -1: a free slot
    std::uint32_t generation = 0;
    Handler handler;
  };
  Registration* Find(Token token);

  UniqueFd epoll_;
  // Slots by index, reused: a hash node a connection would cost more memory.
  std::vector<Registration> registrations_;
  std::vector<std::uint32_t> free_;
  std::vector<std::pair<std::uint64_t, Hook>> beforeWait_;
  std::uint64_t nextHook_ = 1;
  bool running_ = false;
};

}  // namespace orvinta::server
