#pragma once
// Tells when the main window becomes the active window (the user is back).
// Not the window's child: whoever holds it decides how long it listens.
#include <QObject>
#include <functional>

class QWidget;

namespace orvinta::components {

class WindowActivation final : public QObject {
 public:
  WindowActivation(QWidget& window, std::function<void()> activated);
  // The window or one of its dialogs has the focus, and it is not minimised.
  bool IsActive() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QWidget& window_;
  std::function<void()> activated_;
};

}  // namespace orvinta::components
