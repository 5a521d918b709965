#pragma once
// The real orvinta-server as a child process, and a blocking test client that
// speaks the wire protocol to it over loopback.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

#include "protocol/frame_reader.h"

typedef struct ssl_st SSL;
typedef struct ssl_ctx_st SSL_CTX;

namespace orvinta::server::testing {

class ServerProcess {
 public:
  // Starts the server with "--port 0" and the extra arguments and reads its
  // first output line; its log goes to errorFile when one is named.
  explicit ServerProcess(std::vector<std::string> extraArgs = {}, const std::string& errorFile = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  const std::string& FirstLine() const { return firstLine_; }
  int Port() const { return port_; }
  pid_t Pid() const { return pid_; }
  // Reads one more line of standard output (empty on timeout or end).
  std::string ReadLine(int timeoutMs = 5000);

  // Sends the signal and waits; the exit status as from waitpid, or nullopt when
  // it did not end in time (it is then killed).
  std::optional<int> StopWith(int signal, int timeoutMs = 3000);

 private:
  pid_t pid_ = -1;
  int stdout_ = -1;
  std::string pending_;
  std::string firstLine_;
  int port_ = 0;
};

// Runs the server binary with the arguments to its end; exit status and what
// it wrote (standard output and error together).
struct RunResult {
  int exitCode = -1;
  std::string errorOutput;
};
RunResult RunServerToEnd(const std::vector<std::string>& args);

class TestClient {
 public:
  explicit TestClient(int port);
  // Over TLS, trusting the authority in caFile; not Connected() when the
  // handshake or the check of the server's certificate fails.
  TestClient(int port, const std::string& caFile);
  ~TestClient();
  TestClient(const TestClient&) = delete;
  TestClient& operator=(const TestClient&) = delete;

  bool Connected() const { return fd_ >= 0; }
  // The certificate a TLS server showed (DER), "" in clear text.
  std::string PeerCertificate() const;
  void Send(std::string_view command, std::string_view plainBody);  // encoded like a client
  void SendRaw(std::string_view bytes);
  // Logs in and waits for "USRP"; false when something else came.
  bool Login(const std::string& id);
  // Enters the room and waits until it is seated (its own roster query answers).
  bool Enter(const std::string& id, const std::string& room, int timeoutMs = 5000);

  // The next frame from the server within the time, or nullopt.
  std::optional<protocol::Frame> Next(int timeoutMs = 3000);
  // The next frame with this command, skipping others (PING is answered).
  std::optional<protocol::Frame> NextOf(std::string_view command, int timeoutMs = 3000);
  // True when the server closes the connection within the time (frames before
  // the close are skipped).
  bool WaitClosed(int timeoutMs = 3000);
  // Every byte until the server closes (for the HTTP side).
  std::string ReadToEnd(int timeoutMs = 3000);

 private:
  bool ReadSome(std::string& into, long long deadline);

  int fd_ = -1;
  SSL_CTX* tlsContext_ = nullptr;
  SSL* tls_ = nullptr;
  protocol::FrameReader reader_;
  bool closed_ = false;
};

}  // namespace orvinta::server::testing
