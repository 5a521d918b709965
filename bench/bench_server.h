#pragma once
// The client benchmarks' own orvinta-server on a free loopback port.
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <optional>

namespace orvinta::bench {

// Starts `server` (a QProcess the caller keeps) with `--port 0` and the given
// options; its "host:port", or none when it did not say where it listens.
inline std::optional<QString> StartBenchServer(QProcess& server, const QStringList& options) {
  server.start(QStringLiteral(ORVINTA_SERVER_BINARY), QStringList{"--port", "0"} + options);
  server.waitForReadyRead(5000);
  const auto match = QRegularExpression("listening on ([0-9.]+:[0-9]+)").match(QString::fromUtf8(server.readLine()));
  if (!match.hasMatch()) return std::nullopt;
  return match.captured(1);
}

}  // namespace orvinta::bench
