#include "client/components/room_tabs/room_tab_ctrl.h"

#include <QFontMetrics>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QTextDocument>
#include <QToolTip>

#include "client/components/room_tabs/close_box_art.h"
#include "client/components/room_tabs/room_tabs_accessible.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

QColor ToQColor(Rgb c) { return QColor(c.r, c.g, c.b); }

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

}  // namespace

CRoomTabCtrl::CRoomTabCtrl(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("roomTabs"));
  setMouseTracking(true);
  setFocusPolicy(Qt::TabFocus);
  setAttribute(Qt::WA_OpaquePaintEvent);  // every pixel is painted below
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  RoomTabsAccessible::Install();
}

void CRoomTabCtrl::Announce(QAccessible::Event what, int index) {
  if (!QAccessible::isActive() || index < 0) return;
  if (what == QAccessible::Selection && hasFocus()) {
    QAccessibleEvent focus(this, QAccessible::Focus);
    focus.setChild(index);
    QAccessible::updateAccessibility(&focus);
  }
  QAccessibleEvent event(this, what);
  event.setChild(index);
  QAccessible::updateAccessibility(&event);
}

int CRoomTabCtrl::InsertTab(int index, const std::string& text) {
  const int at = strip_.Insert(index, text);
  update();
  Announce(QAccessible::ObjectCreated, at);
  return at;
}

void CRoomTabCtrl::DeleteTab(int index) {
  if (index < 0 || index >= TabCount()) return;
  Announce(QAccessible::ObjectDestroyed, index);
  strip_.Delete(index);
  update();
}

void CRoomTabCtrl::DeleteAllTabs() {
  strip_.Clear();
  update();
}

void CRoomTabCtrl::SelectTab(int index) {
  const int before = strip_.Selected();
  strip_.Select(index);
  update();
  if (strip_.Selected() != before) Announce(QAccessible::Selection, strip_.Selected());
}

void CRoomTabCtrl::SetTabImage(int index, int image) {
  const int before = strip_.Image(index);
  strip_.SetImage(index, image);
  update();
  if (strip_.Image(index) != before) Announce(QAccessible::DescriptionChanged, index);
}

void CRoomTabCtrl::SetTabText(int index, const std::string& text) {
  strip_.SetText(index, text);
  update();
  Announce(QAccessible::NameChanged, index);
}

void CRoomTabCtrl::SetStripBackground(const QColor& colour) {
  background_ = colour;
  update();
}

QSize CRoomTabCtrl::sizeHint() const { return QSize(RoomTabStrip::kItemWidth * 4, RoomTabStrip::kHeight); }

QSize CRoomTabCtrl::minimumSizeHint() const { return QSize(RoomTabStrip::kItemWidth, RoomTabStrip::kHeight); }

QFont CRoomTabCtrl::TabFont() const {
  QFont font(QStringLiteral("굴림"));
  font.setPixelSize(12);
  font.setBold(true);
  return font;
}

QString CRoomTabCtrl::ShownText(int index) const {
  const QString text = platform::qt::FromCp949(strip_.Text(index));
  return QFontMetrics(TabFont()).elidedText(text, Qt::ElideRight, strip_.TextRect(index).Width());
}

bool CRoomTabCtrl::IsTextCut(int index) const {
  return index >= 0 && index < TabCount() && ShownText(index) != platform::qt::FromCp949(strip_.Text(index));
}

void CRoomTabCtrl::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), background_);
  painter.save();
  painter.setClipRect(QRect(0, 0, strip_.Overflows() ? strip_.ScrollButton(-1).left : width(), height()));
  for (int i = strip_.FirstVisible(); i < TabCount() && strip_.ItemRect(i).left < width(); ++i) PaintTab(painter, i);
  painter.restore();
  painter.fillRect(ToQRect(strip_.BaseLine()), ToQColor(kTabBaseLine));
  PaintScrollButtons(painter);
}

void CRoomTabCtrl::PaintTab(QPainter& painter, int index) const {
  const TabScheme scheme = SchemeOf(strip_.Look(index));
  const Rect d = strip_.DrawnRect(index);
  const int w = d.Width(), h = d.Height();
  const QColor frame = ToQColor(scheme.frame), highlight = ToQColor(scheme.highlight);

  // Body, then the highlight one pixel inside the outline, then the outline
  // with its top corners cut in two diagonal steps; the corners stay strip-coloured.
  painter.fillRect(QRect(d.left + 2, d.top + 2, w - 4, h - 2), ToQColor(scheme.fill));
  painter.fillRect(QRect(d.left + 2, d.top + 1, w - 4, 1), highlight);
  painter.fillRect(QRect(d.left + 1, d.top + 2, 1, h - 2), highlight);
  painter.fillRect(QRect(d.right - 2, d.top + 2, 1, h - 2), highlight);
  painter.fillRect(QRect(d.left + 2, d.top, w - 4, 1), frame);
  painter.fillRect(QRect(d.left + 1, d.top + 1, 1, 1), frame);
  painter.fillRect(QRect(d.right - 2, d.top + 1, 1, 1), frame);
  painter.fillRect(QRect(d.left, d.top + 2, 1, h - 2), frame);
  painter.fillRect(QRect(d.right - 1, d.top + 2, 1, h - 2), frame);

  if (const auto icon = strip_.CloseIconOf(index)) {
    const Rect at = strip_.CloseIconRect(index);
    painter.drawPixmap(QPoint(at.left, at.top), CloseBoxPixmap(*icon, painter.device()->devicePixelRatioF()));
  }

  painter.setFont(TabFont());
  painter.setPen(ToQColor(scheme.text));
  painter.setBackgroundMode(Qt::TransparentMode);
  // One line, centred, '&' shown as it is.
  painter.drawText(ToQRect(strip_.TextRect(index)), Qt::AlignCenter | Qt::TextSingleLine, ShownText(index));
}

void CRoomTabCtrl::PaintScrollButtons(QPainter& painter) const {
  if (!strip_.Overflows()) return;
  const TabScheme scheme = SchemeOf(TabLook::Background);
  for (int direction : {-1, 1}) {
    const QRect box = ToQRect(strip_.ScrollButton(direction));
    painter.fillRect(box, ToQColor(scheme.frame));
    painter.fillRect(box.adjusted(1, 1, -1, -1), ToQColor(scheme.fill));
    const bool enabled = strip_.CanScroll(direction);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(enabled ? QColor(102, 102, 102) : QColor(190, 190, 190));
    const QPointF c = QRectF(box).center();
    const QPolygonF arrow = direction < 0 ? QPolygonF({c + QPointF(-3, 0), c + QPointF(2, -4), c + QPointF(2, 4)})
                                          : QPolygonF({c + QPointF(3, 0), c + QPointF(-2, -4), c + QPointF(-2, 4)});
    painter.drawPolygon(arrow);
    painter.setRenderHint(QPainter::Antialiasing, false);
  }
}

void CRoomTabCtrl::resizeEvent(QResizeEvent* event) {
  strip_.SetWidth(width());
  QWidget::resizeEvent(event);
}

void CRoomTabCtrl::ChooseTab(int index) {
  if (index < 0 || index >= TabCount() || index == strip_.Selected()) return;
  strip_.Select(index);
  update();
  Announce(QAccessible::Selection, index);
  emit tabSelected(index);
}

void CRoomTabCtrl::AskToClose(int index) {
  if (index <= 0 || index >= TabCount()) return;
  // Posted: the window asks the user first, which must not run inside the caller.
  QMetaObject::invokeMethod(this, [this, index] { emit closeRequested(index); }, Qt::QueuedConnection);
}

void CRoomTabCtrl::Scroll(int tabs) {
  if (!strip_.ScrollBy(tabs)) return;
  // The window paints a band behind the strip; it is refreshed with it.
  if (QWidget* owner = parentWidget()) owner->update(ToQRect(TabBandRect(owner->width())));
  update();
}

void CRoomTabCtrl::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  const QPoint at = event->position().toPoint();
  for (int direction : {-1, 1}) {
    if (strip_.ScrollButton(direction).Contains(at.x(), at.y())) return Scroll(direction);
  }
  ChooseTab(strip_.TabAt(at.x(), at.y()));
}

void CRoomTabCtrl::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const TabMouseOutcome outcome = strip_.OnMouseMove(at.x(), at.y());
  if (outcome.handCursor) {
    setCursor(Qt::PointingHandCursor);
  } else {
    unsetCursor();
  }
  if (outcome.defaultHandling) QWidget::mouseMoveEvent(event);
}

void CRoomTabCtrl::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  const QPoint at = event->position().toPoint();
  const TabMouseOutcome outcome = strip_.OnLeftButtonUp(at.x(), at.y());
  if (outcome.closeTab > 0) AskToClose(outcome.closeTab);
  if (outcome.defaultHandling) QWidget::mouseReleaseEvent(event);
}

void CRoomTabCtrl::leaveEvent(QEvent* event) {
  unsetCursor();
  QWidget::leaveEvent(event);
}

void CRoomTabCtrl::keyPressEvent(QKeyEvent* event) {
  const int selected = strip_.Selected();
  if (event->key() == Qt::Key_Left && selected > 0) return ChooseTab(selected - 1);
  if (event->key() == Qt::Key_Right && selected + 1 < TabCount()) return ChooseTab(selected + 1);
  QWidget::keyPressEvent(event);
}

bool CRoomTabCtrl::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const int tab = strip_.TabAt(help->pos().x(), help->pos().y());
    if (tab >= 0 && IsTextCut(tab)) {
      // Room titles come from other people: a tooltip would take markup in them as rich text.
      const QString whole = Qt::convertFromPlainText(platform::qt::FromCp949(strip_.Text(tab)), Qt::WhiteSpaceNoWrap);
      QToolTip::showText(help->globalPos(), whole, this, ToQRect(strip_.ItemRect(tab)));
    } else {
      QToolTip::hideText();
      event->ignore();
    }
    return true;
  }
  return QWidget::event(event);
}

}  // namespace orvinta::components
