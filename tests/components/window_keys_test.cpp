// The window's keys for rooms, panes and popups: what each press means, and
// where stepping through the rooms goes.
#include <gtest/gtest.h>

#include <QKeySequence>

#include "client/app/window_keys.h"

namespace orvinta::app {
namespace {

TEST(WindowKeys, EachPressMeansOneThingAndTheWindowsOwnKeysNothing) {
  const auto C = Qt::ControlModifier, S = Qt::ShiftModifier, A = Qt::AltModifier;
  const Qt::KeyboardModifiers none;
  const struct {
    int key;
    Qt::KeyboardModifiers modifiers;
    bool inMembers;
    WindowKey meaning;
    int room = -1, functionKey = 0;
  } cases[] = {
      {Qt::Key_Tab, C, false, WindowKey::NextRoom},          {Qt::Key_Backtab, C | S, false, WindowKey::PreviousRoom},
      {Qt::Key_PageDown, C, false, WindowKey::NextRoom},     {Qt::Key_PageUp, C, false, WindowKey::PreviousRoom},
      {Qt::Key_1, A, false, WindowKey::Room, 0},             {Qt::Key_9, A, false, WindowKey::Room, 8},
      {Qt::Key_F6, none, false, WindowKey::NextPane, -1, 6}, {Qt::Key_F6, S, true, WindowKey::PreviousPane, -1, 6},
      {Qt::Key_Menu, none, true, WindowKey::MemberMenu},     {Qt::Key_F10, S, true, WindowKey::MemberMenu, -1, 10},
      {Qt::Key_F10, S, false, WindowKey::None},  // off the member list, the F10 shortcut as ever
      {Qt::Key_Y, A, false, WindowKey::Accept},              {Qt::Key_N, A, false, WindowKey::Refuse},
      {Qt::Key_Tab, none, false, WindowKey::None},           {Qt::Key_Return, none, false, WindowKey::None},
      {Qt::Key_F5, none, false, WindowKey::None},            {Qt::Key_Up, none, false, WindowKey::None},
      {Qt::Key_0, A, false, WindowKey::None},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(QKeySequence(c.key | c.modifiers.toInt()).toString().toStdString());
    const WindowKeyPress press = WindowKeyOf(c.key, c.modifiers, c.inMembers);
    EXPECT_EQ(press.key, c.meaning);
    EXPECT_EQ(press.room, c.room);
    EXPECT_EQ(press.functionKey, c.functionKey);
  }
}

TEST(WindowKeys, RoomsGoRoundFromTheLastToTheFirstAndBack) {
  const struct {
    int current, count, step, expected;
  } cases[] = {{0, 3, 1, 1}, {2, 3, 1, 0}, {0, 3, -1, 2}, {-1, 3, 1, 1}, {0, 1, 1, -1}, {0, 0, -1, -1}};
  for (const auto& c : cases) EXPECT_EQ(RoomAfter(c.current, c.count, c.step), c.expected) << c.current << " of " << c.count;
}

}  // namespace
}  // namespace orvinta::app
