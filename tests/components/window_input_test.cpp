// The input line inside the real main window: keys that pass the window's
// key filter on their way up, and the line's height.
#include <gtest/gtest.h>

#include <QApplication>
#include <QTest>

#include "client/app/key_filter.h"
#include "client/components/main_window.h"

namespace orvinta::components {
namespace {

TEST(WindowInput, AFunctionKeyTypesItsTextOnce) {
  MainWindow window;
  CChatInputEdit& input = window.Input();
  app::KeyFilter keys(window, input, {.preTranslate = {}, .functionKey = [&](int) {
                                        input.InsertText("hi");
                                        return false;  // goes on, and up to the window
                                      }});
  qApp->installEventFilter(&keys);
  window.show();
  input.setFocus();
  QTest::keyClick(&input, Qt::Key_F1);
  qApp->removeEventFilter(&keys);
  EXPECT_EQ(input.toPlainText(), QStringLiteral("hi"));
}

}  // namespace
}  // namespace orvinta::components
