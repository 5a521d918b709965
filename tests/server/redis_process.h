#pragma once
// A redis-server of the test's own: loopback, a free port, no persistence, a
// temporary folder. Never the system's service.
#include <sys/types.h>

#include <string>

namespace orvinta::server::testing {

class RedisProcess {
 public:
  explicit RedisProcess(std::string password = {});  // starts it
  ~RedisProcess();
  RedisProcess(const RedisProcess&) = delete;
  RedisProcess& operator=(const RedisProcess&) = delete;

  bool Running() const { return pid_ > 0; }
  std::string Url() const { return "redis://127.0.0.1:" + std::to_string(port_); }
  void Kill();     // SIGKILL, as a crash
  void Pause();    // SIGSTOP: the socket stays open and nothing answers
  void Resume();
  bool Restart();  // on the same port, empty

 private:
  bool Start();

  int port_ = 0;
  pid_t pid_ = -1;
  std::string dir_;
  std::string password_;
};

}  // namespace orvinta::server::testing
