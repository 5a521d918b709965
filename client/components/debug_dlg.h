#pragma once
// The "Chat Monitor" window: the protocol traffic, one coloured line each.
#include <QPlainTextEdit>
#include <QWidget>

#include "platform/traffic_log.h"

namespace orvinta::components {

class CDebugDlg final : public QWidget, public platform::TrafficLog {
  Q_OBJECT
 public:
  explicit CDebugDlg(QWidget* parent = nullptr);
  void AddLine(const std::string& text, std::uint32_t colour) override;

 private:
  QPlainTextEdit* log_;
};

}  // namespace orvinta::components
