// The input line in the real main window: a key on its way up, and its height.
#include <gtest/gtest.h>

#include <QScrollBar>
#include <QTest>

#include "client/app/key_filter.h"
#include "client/components/main_window.h"

namespace orvinta::components {
namespace {

class WindowInput : public testing::Test {
 protected:
  void SetUp() override { window.show(); }
  MainWindow window;
  CChatInputEdit& input = window.Input();
};

TEST_F(WindowInput, AFunctionKeyTypesItsTextOnce) {
  // The key is not consumed: it goes on, and up to the window.
  app::KeyFilter keys(window, input, {.functionKey = [&](int) { return input.InsertText("hi"), false; }});
  qApp->installEventFilter(&keys);
  input.setFocus();
  QTest::keyClick(&input, Qt::Key_F1);
  qApp->removeEventFilter(&keys);
  EXPECT_EQ(input.toPlainText(), QStringLiteral("hi"));
}

TEST_F(WindowInput, GrowsToShowSeveralLinesAndBackWhenEmptied) {
  const int normal = input.height();
  input.SetText("one\ntwo\nthree");
  EXPECT_LT(input.verticalScrollBar()->maximum(), 5);  // every line shows
  EXPECT_GT(input.height(), normal);
  input.ClearText();
  EXPECT_EQ(input.height(), normal);
}

}  // namespace
}  // namespace orvinta::components
