#include "client/components/member_list/member_list_pane.h"

#include <QContextMenuEvent>
#include <QMouseEvent>
#include <QPainter>

#include "client/components/member_list/member_icons.h"
#include "client/components/member_list/member_row_delegate.h"
#include "client/components/member_list/status_pictures.h"

namespace orvinta::components {
namespace {

const QColor kBackground(0xFC, 0xFC, 0xFC);
const QColor kText(0x33, 0x33, 0x33);

// The header's pictures, the program's own; a plain band where they are missing.
const QPixmap& HeaderPicture(int n) {
  static const QPixmap pictures[3] = {QPixmap(QStringLiteral(":/pages/gif/bg_ye_01.gif")),
                                      QPixmap(QStringLiteral(":/pages/gif/bg_ye_02.gif")),
                                      QPixmap(QStringLiteral(":/pages/gif/bg_ye_03.gif"))};
  return pictures[n];
}

}  // namespace

MemberListPane::MemberListPane(StatusPictures* pictures, QWidget* parent)
    : QWidget(parent), model_(this), list_(new QListView(this)) {
  setObjectName(QStringLiteral("memberList"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  list_->setModel(&model_);
  list_->setItemDelegate(new MemberRowDelegate(pictures, list_));
  list_->setUniformItemSizes(true);  // rows are laid out by arithmetic, never measured one by one
  list_->setSelectionMode(QAbstractItemView::NoSelection);
  list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  // The keyboard reaches it (Tab, F6); a click leaves the focus in the input line.
  list_->setFocusPolicy(Qt::TabFocus);
  list_->setFrameShape(QFrame::NoFrame);
  list_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  list_->setVerticalScrollMode(QAbstractItemView::ScrollPerPixel);
  list_->setMouseTracking(true);
  list_->setAttribute(Qt::WA_Hover);
  list_->viewport()->setAttribute(Qt::WA_Hover);
  list_->setAccessibleName(QStringLiteral("채팅중인 회원"));
  QPalette palette = list_->palette();
  palette.setColor(QPalette::Base, kBackground);
  list_->setPalette(palette);
  list_->viewport()->installEventFilter(this);
  list_->installEventFilter(this);
  // A picture that arrives repaints the visible rows once.
  connect(&MemberIcons::Shared(), &MemberIcons::arrived, list_->viewport(), qOverload<>(&QWidget::update));
  if (pictures) connect(pictures, &StatusPictures::arrived, list_->viewport(), qOverload<>(&QWidget::update));
  hide();
}

void MemberListPane::SetCount(std::size_t count) {
  if (count == count_) return;
  count_ = count;
  update(HeaderRect());
  setAccessibleDescription(QStringLiteral("채팅중인 회원 : %1 명").arg(count_));
}

QRect MemberListPane::HeaderRect() const {
  return {std::max(0, (width() - MemberRowDelegate::kRowWidth) / 2), kHeaderTop, MemberRowDelegate::kRowWidth,
          kHeaderHeight};
}

void MemberListPane::resizeEvent(QResizeEvent*) { list_->setGeometry(0, kListTop, width(), height() - kListTop); }

void MemberListPane::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  const QRect band = HeaderRect();
  const QRect middle = band.adjusted(2, 0, -2, 0);
  if (HeaderPicture(1).isNull()) {
    painter.fillRect(band, QColor(0xF6, 0xF1, 0xD8));
  } else {
    painter.drawTiledPixmap(middle, HeaderPicture(1));
    painter.drawPixmap(band.left(), band.top(), 2, kHeaderHeight, HeaderPicture(0));
    painter.drawPixmap(band.right() - 1, band.top(), 2, kHeaderHeight, HeaderPicture(2));
  }
  // "채팅중인 회원 : " then the count in red, then " 명", centred as one line.
  painter.setFont(MemberRowDelegate::ListFont());
  const QFontMetrics metrics = painter.fontMetrics();
  const QString before = QStringLiteral("채팅중인 회원 : ");
  const QString number = QString::number(count_);
  const QString after = QStringLiteral(" 명");
  const int whole = metrics.horizontalAdvance(before + number + after);
  int x = middle.left() + std::max(0, (middle.width() - whole) / 2);
  const int baseline = band.top() + (kHeaderHeight + metrics.ascent() - metrics.descent()) / 2;
  painter.setPen(kText);
  painter.drawText(x, baseline, before);
  x += metrics.horizontalAdvance(before);
  painter.setPen(Qt::red);
  painter.drawText(x, baseline, number);
  x += metrics.horizontalAdvance(number);
  painter.setPen(kText);
  painter.drawText(x, baseline, after);
}

void MemberListPane::OpenMenuFromKeyboard() {
  if (!listener_ || model_.rowCount() == 0) return;
  QModelIndex row = list_->currentIndex();
  if (!row.isValid()) row = model_.index(0);
  list_->setCurrentIndex(row);
  list_->scrollTo(row);
  const QRect at = list_->visualRect(row);
  const QPoint corner = list_->viewport()->mapToGlobal(QPoint(at.left() + at.width() / 2, at.bottom()));
  listener_->OnMemberMenuKey(model_.IdAt(row.row()), corner.x(), corner.y());
}

bool MemberListPane::eventFilter(QObject* watched, QEvent* event) {
  if (watched == list_ && event->type() == QEvent::ContextMenu &&
      static_cast<QContextMenuEvent*>(event)->reason() == QContextMenuEvent::Keyboard) {
    OpenMenuFromKeyboard();
    return true;
  }
  if (watched == list_->viewport() && event->type() == QEvent::MouseButtonRelease && listener_) {
    const auto* mouse = static_cast<QMouseEvent*>(event);
    if (mouse->button() == Qt::LeftButton || mouse->button() == Qt::RightButton) {
      const QModelIndex at = list_->indexAt(mouse->position().toPoint());
      listener_->OnMemberButtonUp(at.isValid() ? model_.IdAt(at.row()) : std::string());
      return true;
    }
  }
  return QWidget::eventFilter(watched, event);
}

std::unique_ptr<platform::MemberListView> MemberListPaneFactory::Create() {
  return std::make_unique<MemberListPane>(pictures_);
}

}  // namespace orvinta::components
