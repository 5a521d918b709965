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

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvinta::platform::qt
