#pragma once
// One connection to Redis through hiredis's asynchronous API, driven by the
// server's own epoll loop: no thread, no blocking call. It reconnects with
// back-off by itself; commands while it is down are answered at once with no
// reply (nullptr), as are those it had sent when the link broke.
#include <hiredis/async.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "server/clock.h"
#include "server/event_loop.h"

namespace orvinta::server {

struct RedisAddress {
  std::string host;  // an IPv4 address
  int port = 6379;
};

class RedisLink {
 public:
  using Reply = std::function<void(const redisReply* reply)>;  // nullptr: no answer

  RedisLink(EventLoop& loop, const Clock& clock, RedisAddress address, std::string password);
  ~RedisLink();
  RedisLink(const RedisLink&) = delete;
  RedisLink& operator=(const RedisLink&) = delete;

  // Called once the link is up (again), before any command queued after it.
  void OnUp(std::function<void()> up) { onUp_ = std::move(up); }
  // For a subscribing link: every message pushed to it.
  void OnPush(std::function<void(const redisReply*)> push) { onPush_ = std::move(push); }

  // Under a steady stream of commands, writes at most once in this many
  // milliseconds, so that Redis and the other nodes wake once for several;
  // a command after a quiet spell goes out at the end of its turn.
  void Gather(Millis ms) { gather_ = ms; }

  // Connects, or after a failure connects again once the back-off has passed.
  void Tick();
  bool Up() const { return up_; }
  std::uint64_t Reconnects() const { return reconnects_; }
  const std::string& LastError() const { return lastError_; }

  // False (and reply(nullptr) at once) when the link is down.
  bool Command(const std::vector<std::string_view>& args, Reply reply);
  // SUBSCRIBE and UNSUBSCRIBE: what comes back goes to OnPush.
  bool Subscription(const std::vector<std::string_view>& args);
  // Ends the link now and connects again (a Redis that stopped answering).
  void Restart(std::string why);

 private:
  static void OnConnect(const redisAsyncContext* ac, int status);
  static void OnDisconnect(const redisAsyncContext* ac, int status);
  static void OnReply(redisAsyncContext* ac, void* reply, void* privdata);
  static void OnPushed(redisAsyncContext* ac, void* reply, void* privdata);
  static void AddRead(void* data);
  static void DelRead(void* data);
  static void AddWrite(void* data);
  static void DelWrite(void* data);
  static void Cleanup(void* data);

  void Connect();
  void Ready();
  void Lost(std::string why);
  void SetInterest(std::uint32_t add, std::uint32_t remove);
  void OnEvents(std::uint32_t events);
  void WriteNow();

  EventLoop& loop_;
  const Clock& clock_;
  RedisAddress address_;
  std::string password_;
  redisAsyncContext* context_ = nullptr;
  EventLoop::Token token_ = 0;
  std::uint32_t interest_ = 0;
  std::uint64_t beforeWait_ = 0;
  // Commands are queued during the turn and written at its end, together.
  bool writeDue_ = false;
  Millis gather_ = 0;
  Millis lastWrite_ = -1'000'000;
  bool writing_ = false;  // inside hiredis's write: what is left waits for EPOLLOUT
  bool up_ = false;
  bool closing_ = false;
  Millis connectStarted_ = 0;
  Millis nextAttempt_ = 0;
  Millis backoff_ = 0;
  std::uint64_t reconnects_ = 0;
  // Commands sent and not yet answered, and since when the link has owed one.
  std::size_t outstanding_ = 0;
  Millis owingSince_ = 0;
  bool everUp_ = false;
  bool refused_ = false;  // AUTH was refused: the link is ended and tried again
  std::string lastError_;
  std::function<void()> onUp_;
  std::function<void(const redisReply*)> onPush_;
};

}  // namespace orvinta::server
