#include "tests/server/redis_process.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace orvinta::server::testing {
namespace {

sockaddr_in Loopback(int port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  return address;
}

int FreePort() {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  sockaddr_in address = Loopback(0);
  socklen_t size = sizeof address;
  bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
  getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size);
  close(fd);
  return ntohs(address.sin_port);
}

bool Accepts(int port) {
  const int fd = socket(AF_INET, SOCK_STREAM, 0);
  const sockaddr_in address = Loopback(port);
  const bool ok = connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0;
  close(fd);
  return ok;
}

}  // namespace

RedisProcess::RedisProcess(std::string password) : port_(FreePort()), password_(std::move(password)) {
  char pattern[] = "/tmp/orvinta-redis-XXXXXX";
  if (mkdtemp(pattern) != nullptr) dir_ = pattern;
  Start();
}

RedisProcess::~RedisProcess() {
  Kill();
  if (!dir_.empty()) std::filesystem::remove_all(dir_);
}

bool RedisProcess::Start() {
  std::vector<std::string> args{"redis-server", "--port", std::to_string(port_), "--bind", "127.0.0.1",
                                "--save", "", "--appendonly", "no", "--dir", dir_};
  if (!password_.empty()) args.insert(args.end(), {"--requirepass", password_});
  pid_ = fork();
  if (pid_ == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    std::vector<char*> argv;
    std::vector<std::string> copy = args;
    for (std::string& a : copy) argv.push_back(a.data());
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  for (int i = 0; i < 500; ++i) {
    if (Accepts(port_)) return true;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) break;
    usleep(10'000);
  }
  Kill();
  return false;
}

void RedisProcess::Kill() {
  if (pid_ <= 0) return;
  kill(pid_, SIGKILL);
  waitpid(pid_, nullptr, 0);
  pid_ = -1;
}

void RedisProcess::Pause() {
  if (pid_ > 0) kill(pid_, SIGSTOP);
}

void RedisProcess::Resume() {
  if (pid_ > 0) kill(pid_, SIGCONT);
}

bool RedisProcess::Restart() {
  Kill();
  return Start();
}

}  // namespace orvinta::server::testing
