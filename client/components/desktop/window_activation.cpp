#include "client/components/desktop/window_activation.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include "protocol/guarded.h"

namespace orvinta::components {

WindowActivation::WindowActivation(QWidget& window, std::function<void()> activated)
    : window_(window), activated_(std::move(activated)) {
  window_.installEventFilter(this);
}

bool WindowActivation::IsActive() const {
  if (window_.isMinimized()) return false;
  // The window's own dialogs (settings, saving) count as the window.
  for (const QWidget* w = QApplication::activeWindow(); w; w = w->parentWidget()) {
    if (w == &window_) return true;
  }
  return false;
}

bool WindowActivation::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::WindowActivate && activated_) {
    Guarded("the window's activation", [&] { activated_(); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orvinta::components
