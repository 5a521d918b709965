#include "tests/integration/server_process.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QThread>
#include <csignal>

namespace orvinta::integration {

ServerProcess::ServerProcess(QStringList extraArguments) {
  QStringList arguments{"--port", "0"};
  arguments << extraArguments;
  process_.setProgram(QStringLiteral(ORVINTA_SERVER_BINARY));
  process_.setArguments(arguments);
  process_.setProcessChannelMode(QProcess::SeparateChannels);
  process_.start();
  if (!process_.waitForStarted(5000)) return;
  // The first line names the port: "listening on 127.0.0.1:PORT".
  static const QRegularExpression listening(QStringLiteral("^listening on [0-9.]+:([0-9]+)"));
  QElapsedTimer clock;
  clock.start();
  while (!process_.canReadLine() && clock.elapsed() < 5000) process_.waitForReadyRead(100);
  const auto match = listening.match(QString::fromUtf8(process_.readLine()));
  if (match.hasMatch()) port_ = match.captured(1).toInt();
  // Then, when asked for, "tls on 127.0.0.1:PORT" and "http on 127.0.0.1:PORT".
  const auto next = [&](const char* option, const char* pattern, int& into) {
    if (!extraArguments.contains(QLatin1String(option))) return;
    while (!process_.canReadLine() && clock.elapsed() < 5000) process_.waitForReadyRead(100);
    const auto line = QRegularExpression(QLatin1String(pattern)).match(QString::fromUtf8(process_.readLine()));
    if (line.hasMatch()) into = line.captured(1).toInt();
  };
  next("--tls-port", "^tls on [0-9.]+:([0-9]+)", tlsPort_);
  next("--http-port", "^http on [0-9.]+:([0-9]+)", httpPort_);
}

ServerProcess::~ServerProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(3000)) process_.kill();
  process_.waitForFinished(1000);
}

std::string ServerProcess::address() const { return "127.0.0.1:" + std::to_string(port_); }

void ServerProcess::Kill() {
  process_.kill();
  process_.waitForFinished(3000);
}

void ServerProcess::Pause(bool paused) { ::kill(static_cast<pid_t>(process_.processId()), paused ? SIGSTOP : SIGCONT); }

bool WaitFor(const std::function<bool()>& done, int timeoutMs) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > timeoutMs) return false;
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(2);
  }
  return true;
}

}  // namespace orvinta::integration
