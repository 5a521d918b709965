#pragma once
// A real orvinta process for end-to-end tests, driven through its test socket.
#include <QProcess>
#include <QString>
#include <QTemporaryDir>

namespace orvinta::integration {

class ClientProcess {
 public:
  // `launch` is the launch text (UTF-8); `portal` the portal base address;
  // `runtime` a hand-over folder shared with other clients (default: its own);
  // `configHome` its XDG_CONFIG_HOME (default: a folder of its own, so that no
  // test reads or writes the user's settings).
  ClientProcess(const QString& launch, const QString& portal, const QString& runtime = {},
                const QString& configHome = {});
  ~ClientProcess();

  bool running() const { return process_.state() == QProcess::Running; }
  // Sends one command line and returns the reply line ("" when none came).
  QString Command(const QString& line, int timeoutMs = 10000);
  // Repeats `line` until its reply contains `expected` or the time is up.
  QString WaitForReply(const QString& line, const QString& expected, int timeoutMs = 60000);
  QString Output() { return QString::fromUtf8(process_.readAll()); }
  // Waits for the end of a launch that hands over and ends; -1 when it does not end.
  int ExitCode(int timeoutMs);

 private:
  QTemporaryDir runtime_;  // its own runtime folder: no hand-over to another client
  QProcess process_;
  QString socketPath_;
};

}  // namespace orvinta::integration
