#include "tests/integration/client_process.h"

#include <QLocalSocket>

#include "tests/integration/server_process.h"

namespace orvinta::integration {

ClientProcess::ClientProcess(const QString& launch, const QString& portal, const QString& runtime,
                             const QString& configHome) {
  socketPath_ = runtime_.path() + QStringLiteral("/test.sock");
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtime.isEmpty() ? runtime_.path() : runtime);
  environment.insert("ORVINTA_TEST_SOCKET", socketPath_);
  environment.insert("ORVINTA_UNATTENDED", "1");
  environment.insert("ORVINTA_PORTAL", portal);
  environment.insert("XDG_CONFIG_HOME", configHome.isEmpty() ? runtime_.path() + QStringLiteral("/config") : configHome);
  if (!environment.contains("QT_QPA_PLATFORM")) environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  process_.setProcessEnvironment(environment);
  process_.setProcessChannelMode(QProcess::MergedChannels);
  process_.start(QStringLiteral(ORVINTA_CLIENT_BINARY), {launch});
  process_.waitForStarted(10000);
}

ClientProcess::~ClientProcess() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  if (!process_.waitForFinished(5000)) process_.kill();
  process_.waitForFinished(2000);
}

int ClientProcess::ExitCode(int timeoutMs) {
  if (!WaitFor([&] { return process_.state() == QProcess::NotRunning; }, timeoutMs)) return -1;
  return process_.exitStatus() == QProcess::NormalExit ? process_.exitCode() : -1;
}

QString ClientProcess::Command(const QString& line, int timeoutMs) {
  QLocalSocket socket;
  socket.connectToServer(socketPath_);
  if (!socket.waitForConnected(timeoutMs)) return {};
  socket.write(line.toUtf8() + '\n');
  socket.flush();
  QString reply;
  WaitFor(
      [&] {
        if (socket.canReadLine()) reply = QString::fromUtf8(socket.readLine()).trimmed();
        return !reply.isEmpty() || socket.state() != QLocalSocket::ConnectedState;
      },
      timeoutMs);
  return reply;
}

QString ClientProcess::WaitForReply(const QString& line, const QString& expected, int timeoutMs) {
  QString reply;
  WaitFor(
      [&] {
        reply = Command(line, 2000);
        if (reply.contains(expected)) return true;
        WaitFor([] { return false; }, 200);
        return false;
      },
      timeoutMs);
  return reply;
}

}  // namespace orvinta::integration
