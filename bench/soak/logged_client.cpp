#include "bench/soak/logged_client.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <algorithm>
#include <QDirIterator>
#include <QFile>

#include "bench/soak/monotonic_ms.h"
#include "bench/soak/room_talkers.h"

namespace orvinta::bench {
namespace {

// The client's notice when it is back after a drop.
const QString kBackNotice = QStringLiteral("서버에 다시 연결되었습니다");

}  // namespace

LoggedClient::LoggedClient(const QString& scratch, int port, const QString& portal, const QString& room,
                           const QString& id)
    : scratch_(scratch), portal_(portal), port_(port), id_(id), room_(room) {
  QDir().mkpath(scratch + QStringLiteral("/config/orvinta"));
  QDir().mkpath(scratch + QStringLiteral("/runtime"));
  // A runtime folder as the desktop makes it: the user's alone.
  QFile::setPermissions(scratch + QStringLiteral("/runtime"), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  QFile settings(scratch + QStringLiteral("/config/orvinta/orvinta.conf"));
  if (settings.open(QIODevice::WriteOnly)) settings.write("[reading]\nroomLog=true\n");
  settings.close();
  // The room log goes under the data folder, which the client takes from its environment.
  qputenv("XDG_DATA_HOME", (scratch + QStringLiteral("/data")).toUtf8());
  logFolder_ = scratch + QStringLiteral("/data/orvinta/logs");
  process_ = std::make_unique<integration::ClientProcess>(Launch(room), portal, scratch + QStringLiteral("/runtime"),
                                                          scratch + QStringLiteral("/config"));
}

QString LoggedClient::Launch(const QString& room) const {
  return QStringLiteral("TRUE\n127.0.0.1:%1\nsession\n%2\n%2\n1001\n%3\n%3\nFALSE\n\n\n")
      .arg(QString::number(port_), id_, room);
}

bool LoggedClient::HandOver(const QString& room) {
  integration::ClientProcess second(Launch(room), portal_, scratch_ + QStringLiteral("/runtime"),
                                    scratch_ + QStringLiteral("/config"));
  return second.ExitCode(10000) == 0;
}

long long LoggedClient::WhenShown(const QString& room, const std::vector<Shown>& texts, int timeoutMs) {
  const QString ask = QStringLiteral("html #%1 CHAT_MAIN").arg(room);
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < timeoutMs) {
    const QString html = process_->Command(ask, 2000);
    const bool all =
        std::all_of(texts.begin(), texts.end(), [&](const Shown& t) { return html.count(t.text) >= t.times; });
    if (all) return MonotonicMs();
    QCoreApplication::processEvents();
  }
  return -1;
}

QString LoggedClient::LogText() const {
  // One file a day: names sort as dates.
  QStringList files;
  QDirIterator it(logFolder_, {QStringLiteral("*.log")}, QDir::Files, QDirIterator::Subdirectories);
  while (it.hasNext()) files << it.next();
  files.sort();
  QString text;
  for (const QString& path : files) {
    QFile file(path);
    if (file.open(QIODevice::ReadOnly)) text += QString::fromUtf8(file.readAll());
  }
  return text;
}

std::vector<std::pair<int, long long>> LoggedClient::LoggedLines() const {
  return RoomTalkers::ParseLines(LogText().toStdString());
}

std::vector<std::pair<int, long long>> LoggedClient::ShownLines() {
  const QString html = process_->Command(QStringLiteral("html #%1 CHAT_MAIN").arg(room_), 30000);
  return RoomTalkers::ParseLines(html.toStdString());
}

std::vector<std::size_t> LoggedClient::BackNoticesAfter() const {
  std::vector<std::size_t> notices;
  std::size_t numbered = 0;
  for (const QString& line : LogText().split(QLatin1Char('\n'))) {
    numbered += RoomTalkers::ParseLines(line.toStdString()).size();
    if (line.contains(kBackNotice)) notices.push_back(numbered);
  }
  return notices;
}

}  // namespace orvinta::bench
