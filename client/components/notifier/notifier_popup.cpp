#include "client/components/notifier/notifier_popup.h"

#include <QAccessible>
#include <QEnterEvent>
#include <algorithm>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>

#include "client/components/notifier/notifier_accessible.h"
#include "client/components/notifier/notifier_painting.h"
#include "client/components/notifier/notifier_skins.h"
#include "client/components/notifier/taskbar_notifier.h"

namespace orvinta::components {
namespace {

Point ToPoint(QPointF p) { return {static_cast<int>(p.x()), static_cast<int>(p.y())}; }
Rect FromQRect(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

}  // namespace

PopupPlacement PlacementForPlatform(const QString& platformName) {
  return platformName.startsWith(QLatin1String("wayland")) ? PopupPlacement::Overlay : PopupPlacement::TopLevel;
}

NotifierPopup::NotifierPopup(QWidget* owner, PopupPlacement placement)
    : QWidget(owner, placement == PopupPlacement::TopLevel
                         ? Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus
                         : Qt::Widget),
      placement_(placement) {
  setAttribute(Qt::WA_ShowWithoutActivating);
  setAttribute(Qt::WA_X11DoNotAcceptFocus);
  setFocusPolicy(Qt::NoFocus);
  setMouseTracking(true);
  setObjectName(QStringLiteral("OrvintaNotifier"));
  NotifierAccessible::Install();
  hide();
}

void NotifierPopup::paintEvent(QPaintEvent*) {
  if (!logic_) return;
  QPainter painter(this);
  PaintNotifier(painter, logic_->Scene(), devicePixelRatioF());
}

void NotifierPopup::Pointed(QPointF at) {
  if (!logic_) return;
  const Point p = ToPoint(at);
  setCursor(logic_->WantsHandCursor(p) ? Qt::PointingHandCursor : Qt::ArrowCursor);
  logic_->OnPointerMove(p);
}

void NotifierPopup::mouseMoveEvent(QMouseEvent* event) { Pointed(event->position()); }
void NotifierPopup::enterEvent(QEnterEvent* event) { Pointed(event->position()); }

void NotifierPopup::leaveEvent(QEvent*) {
  if (logic_) logic_->OnPointerLeave();
}

void NotifierPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (logic_ && event->button() == Qt::LeftButton) logic_->OnLeftButtonUp(ToPoint(event->position()));
}

QtNotifierSurface::QtNotifierSurface(QWidget* owner, PopupPlacement placement)
    : owner_(owner), popup_(new NotifierPopup(owner, placement)) {}

QtNotifierSurface::~QtNotifierSurface() { delete popup_.data(); }

void QtNotifierSurface::Attach(CTaskbarNotifier* logic) {
  if (popup_) popup_->Attach(logic);
}

std::optional<Size> QtNotifierSurface::SkinSize(int skinId) const { return NotifierSkinSize(skinId); }

Rect QtNotifierSurface::AnchorRect() const {
  const bool overlay = popup_ && popup_->placement() == PopupPlacement::Overlay;
  if (owner_ && overlay) return FromQRect(owner_->rect());
  if (owner_ && owner_->isVisible() && !owner_->isMinimized()) return FromQRect(owner_->frameGeometry());
  // No owner to rise from: the corner of the screen's work area.
  const QScreen* screen = owner_ ? owner_->screen() : QGuiApplication::primaryScreen();
  return screen ? FromQRect(screen->availableGeometry()) : Rect{};
}

void QtNotifierSurface::Place(const Rect& frame) {
  if (!popup_) return;
  placed_ = frame;
  // A window of no height cannot be mapped; it stays hidden until it has one.
  popup_->setGeometry(frame.left, frame.top, std::max(frame.Width(), 1), std::max(frame.Height(), 1));
  UpdateVisibility();
}

void QtNotifierSurface::UpdateVisibility() {
  if (!popup_) return;
  const bool show = wanted_ && !placed_.IsEmpty();
  if (show && !popup_->isVisible()) {
    popup_->show();
    popup_->raise();  // above the owner and its other children, without taking the focus
    if (QAccessible::isActive()) {
      // Read at once with its question, the way an alert is, while the focus stays put.
      QAccessibleEvent alert(popup_.data(), QAccessible::Alert);
      QAccessible::updateAccessibility(&alert);
    }
  }
  if (!show && popup_->isVisible()) popup_->hide();
}

void QtNotifierSurface::ShowInactive() {
  wanted_ = true;
  UpdateVisibility();
}

void QtNotifierSurface::Hide() {
  wanted_ = false;
  UpdateVisibility();
}

void QtNotifierSurface::Repaint() {
  if (popup_) popup_->update();
}

}  // namespace orvinta::components
