#include "client/components/resize/resize_helper.h"

#include <QEvent>
#include <algorithm>

namespace orvinta::components {
namespace {

std::uintptr_t Key(const QObject* child) { return reinterpret_cast<std::uintptr_t>(child); }


Rect RectOf(const QWidget& widget) {
  const QRect r = widget.geometry();
  return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

}  // namespace

CResizeHelper::CResizeHelper(QWidget& window) : QObject(&window), window_(window), designed_(window.size()) {
  // The designed size is the smallest the user may drag it to; no size grip is shown.
  window_.setMinimumSize(designed_);
  window_.installEventFilter(this);
}

void CResizeHelper::AddAnchor(QWidget* child, Anchor topLeft, Anchor bottomRight) {
  if (!child || child->parentWidget() != &window_) return;
  layout_.AddAnchor(Key(child), RectOf(*child), ArrangedSize(), topLeft, bottomRight);
  children_.insert(Key(child), child);
  // A child that goes away leaves the layout with it.
  connect(child, &QObject::destroyed, this, &CResizeHelper::Forget, Qt::UniqueConnection);
}

void CResizeHelper::RemoveAnchor(QWidget* child) {
  if (!child) return;
  Forget(child);
  disconnect(child, &QObject::destroyed, this, &CResizeHelper::Forget);
}

void CResizeHelper::Forget(QObject* child) {
  layout_.RemoveAnchor(Key(child));
  children_.remove(Key(child));
}

Size CResizeHelper::ArrangedSize() const {
  // A window forced below its design (a desktop without a window manager
  // ignores the minimum) keeps the designed arrangement, clipped, rather than
  // pushing its controls over each other; children added meanwhile are
  // measured against the same size.
  return {std::max(window_.width(), designed_.width()), std::max(window_.height(), designed_.height())};
}

void CResizeHelper::ArrangeLayout() {
  const auto batch = layout_.Arrange(ArrangedSize(), [this](std::uintptr_t key) {
    const QWidget* child = children_.value(key);
    return child ? RectOf(*child) : Rect{};
  });
  // Qt repaints what moved or changed size from its backing store, so the
  // batch needs no erasing of its own (README.md, "The Windows layer").
  for (const Placement& placement : batch) {
    if (QWidget* child = children_.value(placement.child)) {
      child->setGeometry(placement.rect.left, placement.rect.top, placement.rect.Width(), placement.rect.Height());
    }
  }
}

bool CResizeHelper::eventFilter(QObject* watched, QEvent* event) {
  if (watched == &window_ && event->type() == QEvent::Resize) ArrangeLayout();
  return QObject::eventFilter(watched, event);
}

}  // namespace orvinta::components
