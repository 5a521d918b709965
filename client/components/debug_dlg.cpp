#include "client/components/debug_dlg.h"

#include <QTextCharFormat>
#include <QVBoxLayout>

#include "platform/qt/qt_text.h"

namespace orvinta::components {

// A long session must not grow the log without end.
constexpr int kMaxLogBlocks = 5000;

CDebugDlg::CDebugDlg(QWidget* parent) : QWidget(parent, Qt::Window), log_(new QPlainTextEdit(this)) {
  setWindowTitle(QStringLiteral("Chat Monitor"));
  setObjectName(QStringLiteral("chatMonitor"));
  log_->setReadOnly(true);
  log_->setMaximumBlockCount(kMaxLogBlocks);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(log_);
  resize(520, 360);
}

void CDebugDlg::AddLine(const std::string& text, std::uint32_t colour) {
  QTextCharFormat format;
  // 0x00BBGGRR
  format.setForeground(QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF));
  QTextCursor cursor(log_->document());
  cursor.movePosition(QTextCursor::End);
  QString line = platform::qt::FromCp949(text);
  while (line.endsWith(QLatin1Char('\n')) || line.endsWith(QLatin1Char('\r'))) line.chop(1);
  cursor.insertText(line + QLatin1Char('\n'), format);
  log_->ensureCursorVisible();
}

}  // namespace orvinta::components
