#include "client/app/window_keys.h"

#include <QKeyEvent>
#include <algorithm>

#include "client/components/main_window.h"
#include "client/components/member_list/member_list_pane.h"
#include "client/components/room_tabs/room_tab_ctrl.h"

namespace orvinta::app {
namespace {

struct Binding {
  int key;
  Qt::KeyboardModifiers modifiers;
  WindowKey meaning;
  bool memberListOnly = false;
};

// Ctrl+Shift+Tab arrives as Backtab. F6 and Shift+F10 give way to their
// shortcut texts where the user has set them (see WindowKeys::Act).
const Binding kBindings[] = {
    {Qt::Key_Tab, Qt::ControlModifier, WindowKey::NextRoom},
    {Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier, WindowKey::PreviousRoom},
    {Qt::Key_Tab, Qt::ControlModifier | Qt::ShiftModifier, WindowKey::PreviousRoom},
    {Qt::Key_PageDown, Qt::ControlModifier, WindowKey::NextRoom},
    {Qt::Key_PageUp, Qt::ControlModifier, WindowKey::PreviousRoom},
    {Qt::Key_F6, Qt::NoModifier, WindowKey::NextPane},
    {Qt::Key_F6, Qt::ShiftModifier, WindowKey::PreviousPane},
    {Qt::Key_Menu, Qt::NoModifier, WindowKey::MemberMenu, true},
    {Qt::Key_F10, Qt::ShiftModifier, WindowKey::MemberMenu, true},
    {Qt::Key_Y, Qt::AltModifier, WindowKey::Accept},
    {Qt::Key_N, Qt::AltModifier, WindowKey::Refuse},
};

}  // namespace

WindowKeyPress WindowKeyOf(int key, Qt::KeyboardModifiers modifiers, bool inMemberList) {
  modifiers &= ~Qt::KeypadModifier;
  if (modifiers == Qt::AltModifier && key >= Qt::Key_1 && key <= Qt::Key_9) return {WindowKey::Room, key - Qt::Key_1};
  for (const Binding& b : kBindings) {
    if (b.key != key || b.modifiers != modifiers || (b.memberListOnly && !inMemberList)) continue;
    const bool functionKey = key >= Qt::Key_F1 && key <= Qt::Key_F10;
    return {b.meaning, -1, functionKey ? key - Qt::Key_F1 + 1 : 0};
  }
  return {};
}

WindowKeys::WindowKeys(components::MainWindow& window, WindowKeyHooks hooks)
    : QObject(&window), window_(window), hooks_(std::move(hooks)) {}

bool WindowKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  // Once, for the widget the key was typed into (it goes on to its parents after).
  if (!widget || widget->window() != &window_ || widget != (window_.focusWidget() ? window_.focusWidget() : &window_)) {
    return false;
  }
  const auto* key = static_cast<QKeyEvent*>(event);
  QWidget* members = window_.ShownMemberList();
  const bool inMemberList = members && (widget == members || members->isAncestorOf(widget));
  return Act(WindowKeyOf(key->key(), key->modifiers(), inMemberList));
}

bool WindowKeys::Act(WindowKeyPress press) {
  // An F-key with a shortcut text inserts it, as it always has.
  if (press.functionKey && hooks_.functionKeyHasText && hooks_.functionKeyHasText(press.functionKey)) return false;
  switch (press.key) {
    case WindowKey::None:
      return false;
    case WindowKey::NextRoom:
    case WindowKey::PreviousRoom:
      StepRoom(press.key == WindowKey::NextRoom ? 1 : -1);
      return true;
    case WindowKey::Room:
      if (press.room >= window_.TabCount()) return false;
      window_.Tabs().ChooseTab(press.room);
      return true;
    case WindowKey::NextPane:
    case WindowKey::PreviousPane:
      window_.MoveBetweenPanes(press.key == WindowKey::NextPane ? 1 : -1);
      return true;
    case WindowKey::MemberMenu:
      if (auto* pane = qobject_cast<components::MemberListPane*>(window_.ShownMemberList()->parentWidget())) {
        pane->OpenMenuFromKeyboard();
      }
      return true;
    case WindowKey::Accept:
    case WindowKey::Refuse:
      return hooks_.answerPrompt && hooks_.answerPrompt(press.key == WindowKey::Accept);
  }
  return false;
}

int RoomAfter(int current, int count, int step) {
  if (count < 2) return -1;
  return ((std::max(0, current) + step) % count + count) % count;
}

void WindowKeys::StepRoom(int direction) {
  window_.Tabs().ChooseTab(RoomAfter(window_.SelectedTab(), window_.TabCount(), direction));
}

}  // namespace orvinta::app
