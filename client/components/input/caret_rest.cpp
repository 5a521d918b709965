#include "client/components/input/caret_rest.h"

#include <QApplication>
#include <QEvent>

namespace orvinta::components {

CaretRest::CaretRest(QObject* parent, int blinkForMs) : QObject(parent), flashTime_(QApplication::cursorFlashTime()) {
  rest_.setSingleShot(true);
  rest_.setInterval(blinkForMs);
  connect(&rest_, &QTimer::timeout, this, [this] { Rest(); });
  rest_.start();
}

bool CaretRest::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::MouseButtonPress:
    case QEvent::InputMethod:
    case QEvent::FocusIn: Wake(); break;
    default: break;
  }
  return QObject::eventFilter(watched, event);
}

void CaretRest::Rest() {
  resting_ = true;
  QApplication::setCursorFlashTime(0);  // no blink: the caret stays drawn
}

void CaretRest::Wake() {
  if (resting_) {
    resting_ = false;
    QApplication::setCursorFlashTime(flashTime_);
  }
  rest_.start();
}

}  // namespace orvinta::components
