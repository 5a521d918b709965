#pragma once
// The window's keys for moving about without the mouse, as chat programs and
// browsers have them: Ctrl+Tab / Ctrl+Shift+Tab and Ctrl+PageDown / Ctrl+PageUp
// for the next and previous room, Alt+1 .. Alt+9 for a room by its place,
// F6 / Shift+F6 between the transcript, the input line and the member list
// (while F6 has no shortcut text), the Menu key or Shift+F10 (while F10 has
// none) for the member menu of the member list's current row, and Alt+Y /
// Alt+N to answer the invitation or vote on show. None of them is a key the
// window already gives a meaning.
#include <QObject>
#include <functional>

namespace orvinta::components {
class MainWindow;
}  // namespace orvinta::components

namespace orvinta::app {

enum class WindowKey { None, NextRoom, PreviousRoom, Room, NextPane, PreviousPane, MemberMenu, Accept, Refuse };

struct WindowKeyPress {
  WindowKey key = WindowKey::None;
  int room = -1;         // for WindowKey::Room, counted from 0
  int functionKey = 0;   // an F-key that yields to its shortcut text, when it has one
};

// What a key press means in the main window; `inMemberList` is where the focus is.
WindowKeyPress WindowKeyOf(int key, Qt::KeyboardModifiers modifiers, bool inMemberList);
// The room `step` tabs on from `current` of `count`, round from the last to the
// first and back; -1 when there is no other room.
int RoomAfter(int current, int count, int step);

struct WindowKeyHooks {
  std::function<bool(int n)> functionKeyHasText;  // F1 .. F10
  // Answers the popup on show; false when nothing there waits for an answer.
  std::function<bool(bool accepted)> answerPrompt;
};

class WindowKeys final : public QObject {
  Q_OBJECT
 public:
  WindowKeys(components::MainWindow& window, WindowKeyHooks hooks);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool Act(WindowKeyPress press);
  void StepRoom(int direction);

  components::MainWindow& window_;
  WindowKeyHooks hooks_;
};

}  // namespace orvinta::app
