#pragma once
// The popup's window: a frameless tool window that never takes the focus and
// stays above its owner, or, where the platform does not let a program place
// its windows (Wayland), an overlay inside the owner at the same place.
#include <QPointer>
#include <QString>
#include <QWidget>

#include "client/components/notifier/notifier_surface.h"

namespace orvinta::components {

class CTaskbarNotifier;

enum class PopupPlacement { TopLevel, Overlay };

PopupPlacement PlacementForPlatform(const QString& platformName);

class NotifierPopup final : public QWidget {
  Q_OBJECT

 public:
  NotifierPopup(QWidget* owner, PopupPlacement placement);
  PopupPlacement placement() const { return placement_; }
  // The logic painted and fed with the pointer; null detaches it.
  void Attach(CTaskbarNotifier* logic) { logic_ = logic; }
  CTaskbarNotifier* Logic() const { return logic_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void Pointed(QPointF at);
  const PopupPlacement placement_;
  CTaskbarNotifier* logic_ = nullptr;
};

// The surface port over a NotifierPopup it creates (and deletes, unless the
// owner window has taken it down first).
class QtNotifierSurface final : public NotifierSurface {
 public:
  QtNotifierSurface(QWidget* owner, PopupPlacement placement);
  ~QtNotifierSurface() override;
  QtNotifierSurface(const QtNotifierSurface&) = delete;
  QtNotifierSurface& operator=(const QtNotifierSurface&) = delete;

  void Attach(CTaskbarNotifier* logic);
  NotifierPopup* popup() const { return popup_; }

  std::optional<Size> SkinSize(int skinId) const override;
  Rect AnchorRect() const override;
  void Place(const Rect& frame) override;
  void ShowInactive() override;
  void Hide() override;
  void Repaint() override;

 private:
  void UpdateVisibility();
  QPointer<QWidget> owner_;
  QPointer<NotifierPopup> popup_;
  Rect placed_;
  bool wanted_ = false;  // shown by the logic
};

}  // namespace orvinta::components
