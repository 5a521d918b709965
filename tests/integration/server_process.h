#pragma once
// Starts the real orvinta-server on a free loopback port for one test and
// stops it at the end.
#include <QProcess>
#include <functional>
#include <QString>
#include <QStringList>

namespace orvinta::integration {

class ServerProcess {
 public:
  explicit ServerProcess(QStringList extraArguments = {});
  ~ServerProcess();
  ServerProcess(const ServerProcess&) = delete;
  ServerProcess& operator=(const ServerProcess&) = delete;

  bool started() const { return port_ > 0; }
  int port() const { return port_; }
  // The web side's port when started with "--http-port"; 0 otherwise.
  int httpPort() const { return httpPort_; }
  // The TLS port when started with "--tls-port"; 0 otherwise.
  int tlsPort() const { return tlsPort_; }
  // "127.0.0.1:PORT"
  std::string address() const;
  // Ends the server as a crash would: connections drop without a goodbye.
  void Kill();
  // Stops or continues it as a paused machine would: connections stay, nothing is answered.
  void Pause(bool paused);

 private:
  QProcess process_;
  int port_ = 0;
  int httpPort_ = 0;
  int tlsPort_ = 0;
};

// A helper process (a display server, a scripted member) killed when the test ends, however it ends.
struct KilledAtEnd {
  QProcess process;
  ~KilledAtEnd() { process.kill(), process.waitForFinished(5000); }
};

// Runs the event loop until `done` holds or the time is up; true when it held.
bool WaitFor(const std::function<bool()>& done, int timeoutMs = 5000);

}  // namespace orvinta::integration
