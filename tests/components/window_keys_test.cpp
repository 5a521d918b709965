// The window's keys for rooms and panes, on the real main window, and what
// every key press means.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTest>

#include "client/app/window_keys.h"
#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "platform/qt/qt_text.h"

namespace orvinta::app {
namespace {

struct KeyCase {
  const char* name;
  int key;
  Qt::KeyboardModifiers modifiers;
  bool inMemberList;
  WindowKey meaning;
  int room = -1;
  int functionKey = 0;
};

TEST(WindowKeys, EachPressMeansOneThingAndTheWindowsOwnKeysNothing) {
  const KeyCase cases[] = {
      {"CtrlTab", Qt::Key_Tab, Qt::ControlModifier, false, WindowKey::NextRoom},
      {"CtrlShiftTab", Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, false, WindowKey::PreviousRoom},
      {"CtrlPageDown", Qt::Key_PageDown, Qt::ControlModifier, false, WindowKey::NextRoom},
      {"CtrlPageUp", Qt::Key_PageUp, Qt::ControlModifier, false, WindowKey::PreviousRoom},
      {"Alt1", Qt::Key_1, Qt::AltModifier, false, WindowKey::Room, 0},
      {"Alt9", Qt::Key_9, Qt::AltModifier, false, WindowKey::Room, 8},
      {"F6", Qt::Key_F6, Qt::NoModifier, false, WindowKey::NextPane, -1, 6},
      {"ShiftF6", Qt::Key_F6, Qt::ShiftModifier, true, WindowKey::PreviousPane, -1, 6},
      {"MenuKeyOnMembers", Qt::Key_Menu, Qt::NoModifier, true, WindowKey::MemberMenu},
      {"ShiftF10OnMembers", Qt::Key_F10, Qt::ShiftModifier, true, WindowKey::MemberMenu, -1, 10},
      {"ShiftF10ElsewhereIsTheShortcut", Qt::Key_F10, Qt::ShiftModifier, false, WindowKey::None},
      {"AltY", Qt::Key_Y, Qt::AltModifier, false, WindowKey::Accept},
      {"AltN", Qt::Key_N, Qt::AltModifier, false, WindowKey::Refuse},
      {"PlainTabMovesFocusAsEver", Qt::Key_Tab, Qt::NoModifier, false, WindowKey::None},
      {"Enter", Qt::Key_Return, Qt::NoModifier, false, WindowKey::None},
      {"F5", Qt::Key_F5, Qt::NoModifier, false, WindowKey::None},
      {"UpInTheInputLine", Qt::Key_Up, Qt::NoModifier, false, WindowKey::None},
      {"CtrlF", Qt::Key_F, Qt::ControlModifier, false, WindowKey::None},
      {"Alt0", Qt::Key_0, Qt::AltModifier, false, WindowKey::None},
  };
  for (const KeyCase& c : cases) {
    SCOPED_TRACE(c.name);
    const WindowKeyPress press = WindowKeyOf(c.key, c.modifiers, c.inMemberList);
    EXPECT_EQ(press.key, c.meaning);
    EXPECT_EQ(press.room, c.room);
    EXPECT_EQ(press.functionKey, c.functionKey);
  }
}

TEST(WindowKeys, RoomsSwitchAroundAndF6GivesWayToItsShortcutText) {
  components::MainWindow window;
  for (const char* title : {"홈", "하나", "둘"}) window.InsertTab(platform::qt::ToCp949(QString::fromUtf8(title)));
  window.SelectTab(0);
  bool f6HasText = false;
  auto* keys = new WindowKeys(window, {.functionKeyHasText = [&f6HasText](int n) { return n == 6 && f6HasText; },
                                       .answerPrompt = {}});
  qApp->installEventFilter(keys);
  window.show();
  window.activateWindow();
  window.Input().setFocus();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  QSignalSpy chosen(&window.Tabs(), &components::CRoomTabCtrl::tabSelected);

  QTest::keyClick(&window.Input(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);  // back past the first
  QTest::keyClick(&window.Input(), Qt::Key_PageUp, Qt::ControlModifier);
  QTest::keyClick(&window.Input(), Qt::Key_Tab, Qt::ControlModifier);
  QTest::keyClick(&window.Input(), Qt::Key_1, Qt::AltModifier);
  QTest::keyClick(&window.Input(), Qt::Key_5, Qt::AltModifier);  // no fifth room: nothing
  ASSERT_EQ(chosen.count(), 4);
  EXPECT_EQ((std::vector<int>{chosen[0][0].toInt(), chosen[1][0].toInt(), chosen[2][0].toInt(), chosen[3][0].toInt()}),
            (std::vector<int>{2, 1, 2, 0}));

  // No transcript or member list is shown here: F6 keeps to the input line, unless it has a text to insert.
  QTest::keyClick(&window.Input(), Qt::Key_F6);
  EXPECT_TRUE(window.Input().hasFocus());
  window.Toolbar().setFocus();
  f6HasText = true;
  QTest::keyClick(window.focusWidget(), Qt::Key_F6);
  EXPECT_FALSE(window.Input().hasFocus());
  f6HasText = false;
  QTest::keyClick(window.focusWidget(), Qt::Key_F6);
  EXPECT_TRUE(window.Input().hasFocus());
  delete keys;
}

}  // namespace
}  // namespace orvinta::app
