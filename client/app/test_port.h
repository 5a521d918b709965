#pragma once
// A line-based control socket for end-to-end tests, built only with the
// ORVINTA_TEST_PORT option (never into an installed program) and opened only
// when the environment names it (ORVINTA_TEST_SOCKET). It types into the
// input line, presses keys, chooses toolbar settings and reads elements of a
// room's page, all through the same paths a person's actions take.
#include <QLocalServer>
#include <QString>
#include <memory>

namespace orvinta::components {
class MainWindow;
}
namespace orvinta::window {
class COrvintaDlg;
}

namespace orvinta::app {

class TestPort final : public QObject {
  Q_OBJECT
 public:
  TestPort(components::MainWindow& widgets, window::COrvintaDlg& dlg);
  // Listens when ORVINTA_TEST_SOCKET is set; false when it is not or fails.
  bool ListenFromEnvironment();

 private:
  void Serve(class QLocalSocket* socket);
  void Execute(QLocalSocket* socket, const QString& line);

  // The verbs; each answers one line.
  void State(QLocalSocket* socket, const QString& rest);
  void Type(QLocalSocket* socket, const QString& rest);
  void PressKey(QLocalSocket* socket, const QString& rest);
  void Face(QLocalSocket* socket, const QString& rest);
  void Size(QLocalSocket* socket, const QString& rest);
  void Style(QLocalSocket* socket, const QString& rest);
  void Colour(QLocalSocket* socket, const QString& rest);
  void Html(QLocalSocket* socket, const QString& rest);
  void ChooseTab(QLocalSocket* socket, const QString& rest);
  void CloseWindow(QLocalSocket* socket, const QString& rest);
  void Popup(QLocalSocket* socket, const QString& rest);
  struct Verb;
  static const Verb kVerbs[];

  components::MainWindow& widgets_;
  window::COrvintaDlg& dlg_;
  std::unique_ptr<QLocalServer> server_;
};

}  // namespace orvinta::app
