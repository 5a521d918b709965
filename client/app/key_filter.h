#pragma once
// The window's keyboard filter: every key pressed in the main window passes
// the window logic first (Enter sends, Enter and Escape never close it,
// F1-F10 insert the shortcut texts).
#include <QObject>
#include <functional>

class QWidget;

namespace orvinta::app {

enum class FilteredKey { Enter, Escape, Up, Down, Other };

struct KeyHooks {
  // Returns true when the key is consumed.
  std::function<bool(FilteredKey, bool inInputLine)> preTranslate;
  std::function<bool(int n)> functionKey;  // F1 .. F10; true when the key is consumed
};

class KeyFilter final : public QObject {
  Q_OBJECT
 public:
  KeyFilter(QWidget& window, QWidget& inputLine, KeyHooks hooks);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  QWidget& inputLine_;
  KeyHooks hooks_;
};

}  // namespace orvinta::app
