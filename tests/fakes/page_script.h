#pragma once
// Runs a script in a real page and waits for its result: tests of pages read
// what the page holds this way.
#include <QVariant>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "tests/fakes/qt_spin.h"

namespace orvinta {

// `world`: the program's own scripts live in the application world, the
// page's in the main world.
inline QVariant RunScript(QWebEnginePage& page, const QString& script,
                          quint32 world = QWebEngineScript::ApplicationWorld) {
  QVariant result;
  bool answered = false;
  page.runJavaScript(script, world, [&](const QVariant& value) {
    result = value;
    answered = true;
  });
  Spin([&] { return answered; });
  return result;
}

}  // namespace orvinta
