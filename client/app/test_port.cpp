#include "client/app/test_port.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocalSocket>
#include <QPointer>

#include "client/components/main_window.h"
#include "client/window/orvinta_dlg.h"
#include "platform/qt/qt_text.h"

namespace orvinta::app {
namespace {

constexpr qint64 kMaxCommand = 16 * 1024;

void Reply(QLocalSocket* socket, const QString& text) {
  QString line = text;
  line.replace(QLatin1Char('\n'), QLatin1Char(' '));
  socket->write(line.toUtf8() + '\n');
  socket->flush();
}

int KeyOf(const QString& name) {
  if (name == "enter") return Qt::Key_Return;
  if (name == "escape") return Qt::Key_Escape;
  if (name == "up") return Qt::Key_Up;
  if (name == "down") return Qt::Key_Down;
  if (name.size() >= 2 && name[0] == 'f') {
    const int n = name.mid(1).toInt();
    if (n >= 1 && n <= 10) return Qt::Key_F1 + n - 1;
  }
  return 0;
}

}  // namespace

TestPort::TestPort(components::MainWindow& widgets, window::COrvintaDlg& dlg) : widgets_(widgets), dlg_(dlg) {}

bool TestPort::ListenFromEnvironment() {
  const QString path = qEnvironmentVariable("ORVINTA_TEST_SOCKET");
  if (path.isEmpty()) return false;
  server_ = std::make_unique<QLocalServer>();
  server_->setSocketOptions(QLocalServer::UserAccessOption);
  QLocalServer::removeServer(path);
  if (!server_->listen(path)) return false;
  connect(server_.get(), &QLocalServer::newConnection, this, [this] {
    while (QLocalSocket* socket = server_->nextPendingConnection()) Serve(socket);
  });
  return true;
}

void TestPort::Serve(QLocalSocket* socket) {
  connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
  connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
    while (socket->canReadLine()) Execute(socket, QString::fromUtf8(socket->readLine()).chopped(1));
    if (socket->bytesAvailable() > kMaxCommand) socket->abort();
  });
}

void TestPort::Execute(QLocalSocket* socket, const QString& line) {
  const QString verb = line.section(' ', 0, 0);
  const QString rest = line.section(' ', 1);
  if (verb == "state") {
    const auto* current = dlg_.CurrentChannel();
    Reply(socket, QStringLiteral("connected=%1 loggedin=%2 tabs=%3 current=%4")
                      .arg(dlg_.IsConnected())
                      .arg(dlg_.IsLoggedIn())
                      .arg(widgets_.TabCount())
                      .arg(current ? platform::qt::FromCp949(current->name) : QString()));
  } else if (verb == "type") {
    widgets_.Input().setFocus();
    widgets_.InputLine().InsertText(platform::qt::ToCp949(rest));
    Reply(socket, "ok");
  } else if (verb == "key") {
    // Posted to the input line, so the window's keyboard filter sees it first.
    const int key = KeyOf(rest);
    if (!key) return Reply(socket, "error unknown key");
    QApplication::postEvent(&widgets_.Input(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
    QApplication::postEvent(&widgets_.Input(), new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
    Reply(socket, "ok");
  } else if (verb == "face") {
    dlg_.OnFaceChosen(rest.toInt());
    Reply(socket, "ok");
  } else if (verb == "size") {
    dlg_.OnSizeChosen(rest.toInt());
    Reply(socket, "ok");
  } else if (verb == "style") {
    dlg_.OnStyleChanged(rest.toInt());
    Reply(socket, "ok");
  } else if (verb == "colour") {
    // RRGGBB, given as the toolbar's colour button reports it (0x00BBGGRR).
    const unsigned rgb = rest.toUInt(nullptr, 16);
    dlg_.OnColourChosen(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF), 1015);
    Reply(socket, "ok");
  } else if (verb == "html") {
    // html <channel name> <element id>: the element's inner HTML in that room's page.
    const std::string channel = platform::qt::ToCp949(rest.section(' ', 0, 0));
    const std::string element = rest.section(' ', 1, 1).toStdString();
    auto* found = dlg_.FindChannelByName(channel);
    if (!found) return Reply(socket, "error no such room");
    QPointer<QLocalSocket> alive(socket);
    found->view->view().GetElementHtml(element, [alive](const std::string& html) {
      if (alive) Reply(alive, "ok " + platform::qt::FromCp949(html));
    });
  } else {
    Reply(socket, "error unknown command");
  }
}

}  // namespace orvinta::app
