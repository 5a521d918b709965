#include "client/components/debug_dlg.h"

#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "text/text_util.h"

namespace orvinta::components {

CDebugDlg::CDebugDlg(QWidget* parent) : QWidget(parent, Qt::Window), log_(new CRichEdit2(this)) {
  setWindowTitle(QStringLiteral("Chat Monitor"));
  setObjectName(QStringLiteral("chatMonitor"));
  log_->setObjectName(QStringLiteral("chatMonitorLog"));
  log_->setReadOnly(true);
  log_->setUndoRedoEnabled(false);
  log_->setLineWrapMode(QTextEdit::WidgetWidth);
  log_->document()->setMaximumBlockCount(kMaxLogLines);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(log_);
  resize(520, 360);
}

void CDebugDlg::AddLine(const std::string& text, std::uint32_t colour) {
  // One paragraph per line: the "\r\n" the line ends with becomes the paragraph's end.
  std::string line(text::TrimRight(text, "\r\n"));
  std::replace(line.begin(), line.end(), '\r', ' ');
  line += '\n';
  log_->InsertText(line, colour, 0);
}

void CDebugDlg::PlaceBeside(const QWidget& main) {
  const QScreen* screen = main.screen();
  if (!screen) return;
  const QRect placed = MonitorPlacement(main.frameGeometry(), frameGeometry().size(), screen->availableGeometry());
  move(placed.topLeft());
}

QRect MonitorPlacement(const QRect& main, const QSize& size, const QRect& screen) {
  QRect placed(QPoint(main.right() + 1, main.top()), size);
  if (placed.right() > screen.right()) placed.moveRight(main.left() - 1);
  if (placed.left() < screen.left()) placed.moveLeft(screen.left());
  if (placed.right() > screen.right()) placed.moveRight(screen.right());
  if (placed.bottom() > screen.bottom()) placed.moveBottom(screen.bottom());
  if (placed.top() < screen.top()) placed.moveTop(screen.top());
  return placed;
}

}  // namespace orvinta::components
