#pragma once
// Modal message boxes with QMessageBox.
#include <QPointer>
#include <QWidget>

#include "platform/message_box.h"

namespace orvinta::platform::qt {

class QtMessageBoxes final : public MessageBoxes {
 public:
  void SetParent(QWidget* parent) { parent_ = parent; }
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxButtons buttons) override;
  // A window-modal box shown with open(): the event loop, and the connection
  // with it, goes on while the box is up.
  void Open(const std::string& text, const std::string& caption, BoxButtons buttons, Answered answered) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvinta::platform::qt
