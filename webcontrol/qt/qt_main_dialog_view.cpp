#include "webcontrol/qt/qt_main_dialog_view.h"

#include <QResizeEvent>
#include <QScrollBar>

#include "platform/qt/qt_text.h"

namespace orvinta::quendel::qt {
namespace {

// The window's designed size in pixels (172 by 75 dialog units at 8 points).
constexpr int kDesignedWidth = 258;
constexpr int kDesignedHeight = 122;

}  // namespace

MainDialogWidget::MainDialogWidget(QWidget* parent, MainDialogViewListener& listener)
    : QWidget(parent), listener_(listener), log_(new QPlainTextEdit(this)) {
  setObjectName("QuendelMainDialog");
  log_->setObjectName("QuendelLog");
  log_->setReadOnly(true);
  log_->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  resize(kDesignedWidth, kDesignedHeight);
  log_->setGeometry(0, 0, kDesignedWidth, kDesignedHeight);
  hide();
}

void MainDialogWidget::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  listener_.OnSize(event->size().width(), event->size().height());
}

QtMainDialogView::QtMainDialogView(QWidget* parent, MainDialogViewListener& listener)
    : widget_(new MainDialogWidget(parent, listener)) {}

QtMainDialogView::~QtMainDialogView() { delete widget_.data(); }

void QtMainDialogView::Show() {
  if (!widget_) return;
  widget_->show();
  widget_->raise();
}

void QtMainDialogView::MoveWindow(const com::Rect& bounds) {
  if (widget_) widget_->setGeometry(bounds.x, bounds.y, std::max(bounds.width, 1), std::max(bounds.height, 1));
}

void QtMainDialogView::SetLogText(const std::string& text) {
  text_ = text;
  if (widget_) widget_->Log()->setPlainText(platform::qt::FromCp949(text));
}

void QtMainDialogView::ScrollLogToEnd() {
  if (!widget_) return;
  QScrollBar* bar = widget_->Log()->verticalScrollBar();
  bar->setValue(bar->maximum());
}

void QtMainDialogView::MoveLogBox(const com::Rect& bounds) {
  if (widget_) widget_->Log()->setGeometry(bounds.x, bounds.y, bounds.width, bounds.height);
}

std::unique_ptr<MainDialogView> QtMainDialogViewFactory::Create(com::NativeWindow parent,
                                                                MainDialogViewListener& listener) {
  return std::make_unique<QtMainDialogView>(static_cast<QWidget*>(parent), listener);
}

}  // namespace orvinta::quendel::qt
