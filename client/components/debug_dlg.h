#pragma once
// The "Chat Monitor" window: the protocol traffic, one coloured line each,
// in a read-only rich text box that fills the window.
#include <QRect>
#include <QWidget>

#include "client/components/input/rich_edit2.h"
#include "platform/traffic_log.h"

namespace orvinta::components {

class CDebugDlg final : public QWidget, public platform::TrafficLog {
  Q_OBJECT
 public:
  // A long session must not grow the log without end.
  static constexpr int kMaxLogLines = 5000;

  explicit CDebugDlg(QWidget* parent = nullptr);
  void AddLine(const std::string& text, std::uint32_t colour) override;
  // Moves the window next to `main` on the screen it is on: to its right,
  // or to its left where the right side has no room.
  void PlaceBeside(const QWidget& main);

  CRichEdit2& Log() { return *log_; }

 private:
  CRichEdit2* log_;
};

// Where a window of `size` goes beside `main` inside `screen`.
QRect MonitorPlacement(const QRect& main, const QSize& size, const QRect& screen);

}  // namespace orvinta::components
