#include "client/components/transcript_find_bar.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QShortcut>
#include <QToolButton>

namespace orvinta::components {
namespace {

constexpr int kQueryLimit = 200;  // a query longer than any line is no use

}  // namespace

TranscriptFindBar::TranscriptFindBar(QWidget* view, Finder finder)
    : QWidget(view), finder_(std::move(finder)), edit_(new QLineEdit(this)), count_(new QLabel(this)) {
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
  // Screen readers hear words where the bar shows marks.
  setAccessibleName(QStringLiteral("대화 내용 찾기"));
  edit_->setAccessibleName(QStringLiteral("찾기"));
  count_->setAccessibleName(QStringLiteral("찾은 위치"));
  previous->setAccessibleName(QStringLiteral("위로 찾기"));
  next->setAccessibleName(QStringLiteral("아래로 찾기"));
  close->setAccessibleName(QStringLiteral("찾기 닫기"));
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
  if (finder_.find) finder_.find(QString(), [](int, int) {});
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
  if (finder_.find) finder_.find(edit_->text(), Shower());
}

void TranscriptFindBar::Step(int step) {
  if (finder_.step) finder_.step(step, Shower());
}

TranscriptFindBar::Answer TranscriptFindBar::Shower() {
  QPointer<TranscriptFindBar> self(this);
  return [self](int position, int count) {
    if (self) self->Show(position, count);
  };
}

void TranscriptFindBar::Show(int position, int count) {
  const bool none = !edit_->text().isEmpty() && count == 0;
  count_->setText(edit_->text().isEmpty() ? QString()
                  : none                  ? QStringLiteral("0/0")
                                          : QStringLiteral("%1/%2").arg(position).arg(count));
  // A "0/0" alone is easily missed: the field itself turns red.
  edit_->setStyleSheet(none ? QStringLiteral("QLineEdit { background: #FFD9D9; }") : QString());
}

void TranscriptFindBar::Place() {
  adjustSize();
  const QWidget* view = parentWidget();
  move(view->width() - width() - 20, 0);
}

}  // namespace orvinta::components
