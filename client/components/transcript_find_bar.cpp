#include "client/components/transcript_find_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QToolButton>
#include <QWebEnginePage>
#include <QWebEngineScript>

#include "client/components/js_literal.h"

namespace orvinta::components {
namespace {

constexpr int kQueryLimit = 200;  // a query longer than any line is no use

}  // namespace

TranscriptFindBar::TranscriptFindBar(QWidget* view, QWebEnginePage* page)
    : QWidget(view), page_(page), edit_(new QLineEdit(this)), count_(new QLabel(this)) {
  setAutoFillBackground(true);
  setStyleSheet(QStringLiteral("orvinta--components--TranscriptFindBar{background:#F4F4F4;border:1px solid #B3B3B3;}"));
  setAttribute(Qt::WA_StyledBackground);
  setProperty("orvintaOwnKeys", true);  // Enter, Escape and F3 are the bar's, not the window's
  edit_->setMaxLength(kQueryLimit);
  edit_->setPlaceholderText(QStringLiteral("찾기"));
  edit_->setFixedWidth(150);
  count_->setMinimumWidth(48);
  auto* previous = new QToolButton(this);
  previous->setText(QStringLiteral("▲"));
  auto* next = new QToolButton(this);
  next->setText(QStringLiteral("▼"));
  auto* close = new QToolButton(this);
  close->setText(QStringLiteral("✕"));
  auto* row = new QHBoxLayout(this);
  row->setContentsMargins(4, 3, 4, 3);
  row->setSpacing(3);
  for (QWidget* w : std::initializer_list<QWidget*>{edit_, count_, previous, next, close}) row->addWidget(w);
  connect(edit_, &QLineEdit::textChanged, this, [this] { Find(); });
  connect(previous, &QToolButton::clicked, this, [this] { Step(-1); });
  connect(next, &QToolButton::clicked, this, [this] { Step(1); });
  connect(close, &QToolButton::clicked, this, [this] { Close(); });
  edit_->installEventFilter(this);
  view->installEventFilter(this);
  // The shortcut belongs to the view, so only the room shown answers it.
  auto* open = new QShortcut(QKeySequence::Find, view, [this] { Open(); });
  open->setContext(Qt::WindowShortcut);
  hide();
}

void TranscriptFindBar::Open() {
  if (!isVisible()) focusBefore_ = QApplication::focusWidget();
  Place();
  show();
  raise();
  edit_->setFocus();
  edit_->selectAll();
  if (!edit_->text().isEmpty()) Find();
}

void TranscriptFindBar::Close() {
  // Closed from its own keys or button, the bar gives the keyboard back to
  // where the user was typing before Ctrl+F (mostly the input line).
  const bool hadFocus = isAncestorOf(QApplication::focusWidget());
  hide();
  if (hadFocus && focusBefore_) focusBefore_->setFocus();
  Run(QStringLiteral("window.orvintaTranscript.find('')"));
}

QString TranscriptFindBar::CountText() const { return count_->text(); }

bool TranscriptFindBar::eventFilter(QObject* watched, QEvent* event) {
  if (watched != edit_) {
    if (event->type() == QEvent::Resize && isVisible()) Place();
    if (event->type() == QEvent::Hide) hide();
    return false;
  }
  if (event->type() != QEvent::KeyPress) return false;
  const auto* key = static_cast<QKeyEvent*>(event);
  const bool back = key->modifiers() & Qt::ShiftModifier;
  switch (key->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_F3:
      Step(back ? 1 : -1);
      return true;
    case Qt::Key_Escape:
      Close();
      return true;
    default:
      return false;
  }
}

void TranscriptFindBar::Find() {
  Run(QStringLiteral("window.orvintaTranscript.find(%1)").arg(JsLiteral(edit_->text())));
}

void TranscriptFindBar::Step(int step) {
  Run(QStringLiteral("window.orvintaTranscript.findNext(%1)").arg(step));
}

void TranscriptFindBar::Run(const QString& script) {
  if (!page_) return;
  QPointer<TranscriptFindBar> self(this);
  page_->runJavaScript(QStringLiteral("(function(){var t=window.orvintaTranscript;return t?%1:[0,0];})()").arg(script),
                       QWebEngineScript::ApplicationWorld, [self](const QVariant& result) {
                         if (!self) return;
                         const QVariantList answer = result.toList();
                         const int at = answer.value(0).toInt(), total = answer.value(1).toInt();
                         const bool none = !self->edit_->text().isEmpty() && total == 0;
                         self->count_->setText(self->edit_->text().isEmpty() ? QString()
                                               : none ? QStringLiteral("0/0")
                                                      : QStringLiteral("%1/%2").arg(at).arg(total));
                         // A "0/0" alone is easily missed: the field itself turns red.
                         self->edit_->setStyleSheet(none ? QStringLiteral("QLineEdit { background: #FFD9D9; }")
                                                         : QString());
                       });
}

void TranscriptFindBar::Place() {
  adjustSize();
  const QWidget* view = parentWidget();
  move(view->width() - width() - 20, 0);
}

}  // namespace orvinta::components
