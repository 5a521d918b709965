// The input line inside the real main window: keys that pass the window's
// key filter on their way up, and the line's height.
#include <gtest/gtest.h>

#include <QApplication>
#include <QScrollBar>
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

TEST(WindowInput, GrowsUpwardForSeveralLinesAndBackWhenSent) {
  MainWindow window;
  window.show();
  CChatInputEdit& input = window.Input();
  const QRect normal = input.geometry();
  const int gap = normal.top() - window.Toolbar().geometry().bottom();
  input.SetText("one\ntwo\nthree");
  window.resize(700, 500);  // placed anew, it stays grown
  QCoreApplication::processEvents();
  EXPECT_GT(input.height(), normal.height() + 10);
  EXPECT_EQ(input.geometry().bottom(), 500 - 30);
  EXPECT_EQ(input.geometry().top() - window.Toolbar().geometry().bottom(), gap);  // the toolbar rides up
  EXPECT_LT(input.verticalScrollBar()->maximum(), 5);  // every line shows
  input.ClearText();
  EXPECT_EQ(input.height(), normal.height());
}

}  // namespace
}  // namespace orvinta::components
