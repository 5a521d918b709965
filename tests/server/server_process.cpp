#include "tests/server/server_process.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <openssl/ssl.h>
#include <openssl/x509.h>

#include <cerrno>
#include <ctime>

#include "protocol/codec.h"

namespace orvinta::server::testing {
namespace {

long long NowMs() {
  timespec ts{};
  clock_gettime(CLOCK_MONOTONIC, &ts);
  return static_cast<long long>(ts.tv_sec) * 1000 + ts.tv_nsec / 1'000'000;
}

// Reads what arrives on fd within the time; false on timeout, end or error.
bool ReadFd(int fd, std::string& into, long long deadline, bool& ended) {
  const long long left = deadline - NowMs();
  if (left <= 0) return false;
  pollfd p{fd, POLLIN, 0};
  if (poll(&p, 1, static_cast<int>(left)) <= 0) return false;
  char buffer[4096];
  const ssize_t n = read(fd, buffer, sizeof buffer);
  if (n <= 0) {
    ended = true;
    return false;
  }
  into.append(buffer, static_cast<std::size_t>(n));
  return true;
}

pid_t Spawn(const std::vector<std::string>& args, int outFd, int errFd) {
  const pid_t pid = fork();
  if (pid != 0) return pid;
  if (outFd >= 0) dup2(outFd, STDOUT_FILENO);
  if (errFd >= 0) dup2(errFd, STDERR_FILENO);
  std::vector<char*> argv;
  std::string program = ORVINTA_SERVER_BINARY;
  argv.push_back(program.data());
  std::vector<std::string> copy = args;
  for (std::string& a : copy) argv.push_back(a.data());
  argv.push_back(nullptr);
  execv(argv[0], argv.data());
  _exit(127);
}

}  // namespace

ServerProcess::ServerProcess(std::vector<std::string> extraArgs, const std::string& errorFile) {
  int pipeFds[2];
  if (pipe(pipeFds) != 0) return;
  std::vector<std::string> args{"--port", "0"};
  args.insert(args.end(), extraArgs.begin(), extraArgs.end());
  const int errFd = errorFile.empty() ? -1 : open(errorFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
  pid_ = Spawn(args, pipeFds[1], errFd);
  close(pipeFds[1]);
  if (errFd >= 0) close(errFd);
  stdout_ = pipeFds[0];
  firstLine_ = ReadLine();
  const auto colon = firstLine_.rfind(':');
  if (colon != std::string::npos) port_ = std::atoi(firstLine_.c_str() + colon + 1);
}

ServerProcess::~ServerProcess() {
  if (pid_ > 0) StopWith(SIGKILL);
  if (stdout_ >= 0) close(stdout_);
}

std::string ServerProcess::ReadLine(int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  bool ended = false;
  for (;;) {
    if (const auto nl = pending_.find('\n'); nl != std::string::npos) {
      std::string line = pending_.substr(0, nl);
      pending_.erase(0, nl + 1);
      return line;
    }
    if (!ReadFd(stdout_, pending_, deadline, ended)) return {};
  }
}

std::optional<int> ServerProcess::StopWith(int signal, int timeoutMs) {
  if (pid_ <= 0) return std::nullopt;
  kill(pid_, signal);
  const long long deadline = NowMs() + timeoutMs;
  int status = 0;
  while (NowMs() < deadline) {
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
      pid_ = -1;
      return status;
    }
    usleep(10'000);
  }
  kill(pid_, SIGKILL);
  waitpid(pid_, &status, 0);
  pid_ = -1;
  return std::nullopt;
}

RunResult RunServerToEnd(const std::vector<std::string>& args) {
  int errPipe[2];
  RunResult result;
  if (pipe(errPipe) != 0) return result;
  const pid_t pid = Spawn(args, errPipe[1], errPipe[1]);
  close(errPipe[1]);
  bool ended = false;
  const long long deadline = NowMs() + 5000;
  while (!ended && ReadFd(errPipe[0], result.errorOutput, deadline, ended)) {
  }
  close(errPipe[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return result;
}

TestClient::TestClient(int port) {
  fd_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in sa{};
  sa.sin_family = AF_INET;
  sa.sin_port = htons(static_cast<std::uint16_t>(port));
  sa.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (connect(fd_, reinterpret_cast<sockaddr*>(&sa), sizeof sa) != 0) {
    close(fd_);
    fd_ = -1;
  }
}

TestClient::TestClient(int port, const std::string& caFile) : TestClient(port) {
  tlsContext_ = SSL_CTX_new(TLS_client_method());
  SSL_CTX_load_verify_locations(tlsContext_, caFile.c_str(), nullptr);
  SSL_CTX_set_verify(tlsContext_, SSL_VERIFY_PEER, nullptr);
  tls_ = SSL_new(tlsContext_);
  SSL_set1_host(tls_, "127.0.0.1");
  if (fd_ < 0 || SSL_set_fd(tls_, fd_) != 1 || SSL_connect(tls_) != 1) {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }
}

std::string TestClient::PeerCertificate() const {
  X509* cert = tls_ ? SSL_get1_peer_certificate(tls_) : nullptr;
  unsigned char* der = nullptr;
  const int n = cert ? i2d_X509(cert, &der) : 0;
  std::string bytes(reinterpret_cast<const char*>(der), n > 0 ? static_cast<std::size_t>(n) : 0);
  OPENSSL_free(der);
  X509_free(cert);
  return bytes;
}

TestClient::~TestClient() {
  SSL_free(tls_);
  SSL_CTX_free(tlsContext_);
  if (fd_ >= 0) close(fd_);
}

bool TestClient::ReadSome(std::string& into, long long deadline) {
  if (tls_ == nullptr) return ReadFd(fd_, into, deadline, closed_);
  pollfd p{fd_, POLLIN, 0};
  const long long left = deadline - NowMs();
  if (SSL_pending(tls_) == 0 && (left <= 0 || poll(&p, 1, static_cast<int>(left)) <= 0)) return false;
  char buffer[4096];
  const int n = SSL_read(tls_, buffer, sizeof buffer);
  closed_ = n <= 0;
  if (n > 0) into.append(buffer, static_cast<std::size_t>(n));
  return n > 0;
}

void TestClient::SendRaw(std::string_view bytes) {
  while (!bytes.empty() && fd_ >= 0) {
    const ssize_t n = tls_ ? SSL_write(tls_, bytes.data(), static_cast<int>(bytes.size()))
                           : send(fd_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
    if (n <= 0) return;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
}

void TestClient::Send(std::string_view command, std::string_view plainBody) {
  SendRaw(protocol::EncodeMessage(protocol::MakeMessage(command, plainBody)));
}

bool TestClient::Login(const std::string& id) {
  Send("USER", id + "/key/" + id + "/1");
  const auto reply = Next();
  return reply && reply->command == "USRP";
}

bool TestClient::Enter(const std::string& id, const std::string& room, int timeoutMs) {
  Send("CHIN", id + "/" + room);
  Send("ASIF", id + "/" + room);
  return NextOf("IFON", timeoutMs).has_value();
}

std::optional<protocol::Frame> TestClient::Next(int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  for (;;) {
    if (auto frame = reader_.Next()) return frame;
    std::string data;
    if (closed_ || !ReadSome(data, deadline)) return std::nullopt;
    reader_.Append(data);
  }
}

std::optional<protocol::Frame> TestClient::NextOf(std::string_view command, int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  for (;;) {
    const long long left = deadline - NowMs();
    if (left <= 0) return std::nullopt;
    auto frame = Next(static_cast<int>(left));
    if (!frame || frame->command == command) return frame;
    if (frame->command == "PING") Send("PONG", "");
  }
}

bool TestClient::WaitClosed(int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  while (!closed_) {
    std::string data;
    if (!ReadSome(data, deadline) && !closed_) return false;
  }
  return true;
}

std::string TestClient::ReadToEnd(int timeoutMs) {
  const long long deadline = NowMs() + timeoutMs;
  std::string all;
  while (!closed_ && ReadSome(all, deadline)) {
  }
  return all;
}

}  // namespace orvinta::server::testing
