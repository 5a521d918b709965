#include "client/components/desktop/window_activation.h"

#include <QEvent>
#include <QWidget>

#include "protocol/guarded.h"

namespace orvinta::components {

WindowActivation::WindowActivation(QWidget& window, std::function<void()> activated)
    : window_(window), activated_(std::move(activated)) {
  window_.installEventFilter(this);
}

bool WindowActivation::IsActive() const { return window_.isActiveWindow() && !window_.isMinimized(); }

bool WindowActivation::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::WindowActivate && activated_) {
    Guarded("the window's activation", [&] { activated_(); });
  }
  return QObject::eventFilter(watched, event);
}

}  // namespace orvinta::components
