#pragma once
// The HTTP/1.0 side on the same event loop: one request per connection, a
// bounded request head, a deadline, then the answer and the close.
#include <memory>
#include <string>
#include <unordered_map>

#include "server/address_caps.h"
#include "server/clock.h"
#include "server/event_loop.h"
#include "server/http_site.h"
#include "server/listener.h"

namespace orvinta::server {

struct HttpLimits {
  std::size_t maxExchanges = 256;
  std::size_t maxPerAddress = 16;
  bool capLoopback = false;
  Millis idleBeforeRequest = 2000;  // a connection that has sent nothing yet
  Millis exchangeTimeout = 5000;    // the whole exchange
  int retryAfterSeconds = 5;        // told to those turned away
};

class HttpService {
 public:
  HttpService(EventLoop& loop, Listener& listener, const Clock& clock, const HttpSite& site,
              HttpLimits limits = {});
  ~HttpService();

  bool Start();
  // Closes connections that have taken too long.
  void AfterEvents();

 private:
  struct Exchange {
    UniqueFd fd;
    EventLoop::Token token = 0;
    std::string request;
    std::string response;
    std::size_t sent = 0;
    std::string peer;
    Millis accepted = 0;
    Millis deadline = 0;
  };

  void OnAcceptable();
  // Over a cap: "503" at once, without taking a slot.
  void TurnAway(int fd);
  void OnEvents(std::uint64_t id, std::uint32_t events);
  void ReadRequest(std::uint64_t id, Exchange& x);
  void Answer(Exchange& x, std::string response);
  void WriteResponse(std::uint64_t id, Exchange& x);
  void Finish(std::uint64_t id);

  EventLoop& loop_;
  Listener& listener_;
  const Clock& clock_;
  const HttpSite& site_;
  HttpLimits limits_;
  AddressCaps perAddress_;
  std::string busyResponse_;
  std::uint64_t nextId_ = 1;
  std::unordered_map<std::uint64_t, std::unique_ptr<Exchange>> exchanges_;
};

}  // namespace orvinta::server
