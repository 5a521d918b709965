#include "client/app/test_port.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLocalSocket>
#include <QPointer>

#include "client/components/main_window.h"
#include "client/components/notifier/notifier_popup.h"
#include "client/window/orvinta_dlg.h"
#include "platform/qt/qt_text.h"
#include "protocol/guarded.h"

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
    Guarded("the test port", [&] {
      while (socket->canReadLine()) Execute(socket, QString::fromUtf8(socket->readLine()).chopped(1));
    });
    if (socket->bytesAvailable() > kMaxCommand) socket->abort();
  });
}

struct TestPort::Verb {
  QLatin1String name;
  void (TestPort::*run)(QLocalSocket* socket, const QString& rest);
};

const TestPort::Verb TestPort::kVerbs[] = {
    {QLatin1String("state"), &TestPort::State},   // connected=0|1 loggedin=0|1 tabs=N focus=input|other|none current=<channel>
    {QLatin1String("type"), &TestPort::Type},     // type <text>: into the input line at the caret
    {QLatin1String("key"), &TestPort::PressKey},  // key enter|escape|up|down|f1..f10
    {QLatin1String("face"), &TestPort::Face},     // face <code 1-4>
    {QLatin1String("size"), &TestPort::Size},     // size <points>
    {QLatin1String("style"), &TestPort::Style},   // style <bits: 1 bold, 2 italic, 4 underline>
    {QLatin1String("colour"), &TestPort::Colour}, // colour RRGGBB: the text colour
    {QLatin1String("html"), &TestPort::Html},     // html <channel> <element id>: its inner HTML
    {QLatin1String("tab"), &TestPort::ChooseTab}, // tab <index>: the user chooses it; the strip takes the focus
    {QLatin1String("close"), &TestPort::CloseWindow},  // the window closes as its close box does once answered
    {QLatin1String("popup"), &TestPort::Popup},  // overlay|toplevel shown=0|1 right=R bottom=B (from the window's client area)
};

void TestPort::Execute(QLocalSocket* socket, const QString& line) {
  const QString verb = line.section(' ', 0, 0);
  for (const Verb& v : kVerbs) {
    if (verb == v.name) return (this->*v.run)(socket, line.section(' ', 1));
  }
  Reply(socket, "error unknown command");
}

void TestPort::State(QLocalSocket* socket, const QString&) {
  const auto* current = dlg_.Channels().Current();
  // The window's focus widget: where typing goes while, or as soon as, the window is active.
  const QWidget* focus = widgets_.focusWidget();
  const char* focusName = !focus ? "none" : focus == &widgets_.Input() ? "input" : "other";
  Reply(socket, QStringLiteral("connected=%1 loggedin=%2 tabs=%3 focus=%4 current=%5")
                    .arg(dlg_.IsConnected())
                    .arg(dlg_.Flags().loggedIn)
                    .arg(widgets_.TabCount())
                    .arg(QLatin1String(focusName))
                    .arg(current ? platform::qt::FromCp949(current->name) : QString()));
}

void TestPort::Type(QLocalSocket* socket, const QString& rest) {
  widgets_.Input().setFocus();
  // As typed: characters beyond code page 949 (emoji) reach the line as they are.
  widgets_.Input().insertPlainText(rest);
  Reply(socket, "ok");
}

void TestPort::PressKey(QLocalSocket* socket, const QString& rest) {
  // Posted to the input line, so the window's keyboard filter sees it first.
  const int key = KeyOf(rest);
  if (!key) return Reply(socket, "error unknown key");
  QApplication::postEvent(&widgets_.Input(), new QKeyEvent(QEvent::KeyPress, key, Qt::NoModifier));
  QApplication::postEvent(&widgets_.Input(), new QKeyEvent(QEvent::KeyRelease, key, Qt::NoModifier));
  Reply(socket, "ok");
}

void TestPort::Face(QLocalSocket* socket, const QString& rest) {
  dlg_.Composing().OnFaceChosen(rest.toInt());
  Reply(socket, "ok");
}

void TestPort::Size(QLocalSocket* socket, const QString& rest) {
  dlg_.Composing().OnSizeChosen(rest.toInt());
  Reply(socket, "ok");
}

void TestPort::Style(QLocalSocket* socket, const QString& rest) {
  dlg_.Composing().OnStyleChanged(rest.toInt());
  Reply(socket, "ok");
}

void TestPort::Colour(QLocalSocket* socket, const QString& rest) {
  // RRGGBB, given as the toolbar's colour button reports it (0x00BBGGRR).
  const unsigned rgb = rest.toUInt(nullptr, 16);
  dlg_.Composing().OnColourChosen(((rgb & 0xFF) << 16) | (rgb & 0xFF00) | ((rgb >> 16) & 0xFF),
                                  window::ComposeAndSend::kTextColourButton);
  Reply(socket, "ok");
}

void TestPort::ChooseTab(QLocalSocket* socket, const QString& rest) {
  bool ok = false;
  const int index = rest.trimmed().toInt(&ok);
  if (!ok || index < 0 || index >= widgets_.TabCount()) return Reply(socket, "error no such tab");
  // As a click does: the strip takes the focus, selects, and the window logic hears of the choice.
  widgets_.FocusTabStrip();
  widgets_.SelectTab(index);
  dlg_.Tabs().OnTcnSelchangeTabChannel();
  Reply(socket, "ok");
}

void TestPort::Popup(QLocalSocket* socket, const QString&) {
  const auto* popup = widgets_.findChild<components::NotifierPopup*>(QStringLiteral("OrvintaNotifier"));
  if (!popup) return Reply(socket, "error no popup");
  // Where its bottom-right corner stands, in the main window's own coordinates.
  const QPoint corner = widgets_.mapFromGlobal(popup->mapToGlobal(QPoint(popup->width(), popup->height())));
  const bool overlay = popup->placement() == components::PopupPlacement::Overlay;
  Reply(socket, QStringLiteral("%1 shown=%2 right=%3 bottom=%4 width=%5 height=%6")
                    .arg(QLatin1String(overlay ? "overlay" : "toplevel"))
                    .arg(popup->isVisible())
                    .arg(widgets_.width() - corner.x())
                    .arg(widgets_.height() - corner.y())
                    .arg(popup->width())
                    .arg(popup->height()));
}

void TestPort::CloseWindow(QLocalSocket* socket, const QString& /*rest*/) {
  Reply(socket, "ok");
  dlg_.OnClose();
}

void TestPort::Html(QLocalSocket* socket, const QString& rest) {
  const std::string channel = platform::qt::ToCp949(rest.section(' ', 0, 0));
  const std::string element = rest.section(' ', 1, 1).toStdString();
  auto* found = dlg_.Channels().FindByName(channel);
  if (!found) return Reply(socket, "error no such room");
  QPointer<QLocalSocket> alive(socket);
  found->view->ReadElementHtml(element, [alive](const std::string& html) {
    if (alive) Reply(alive, "ok " + platform::qt::FromCp949(html));
  });
}

}  // namespace orvinta::app
