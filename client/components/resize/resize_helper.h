#pragma once
// Keeps a window's children where their anchors put them: the window is laid
// out once at its designed size, each child is registered, and every resize
// re-places them all in one pass. The window cannot shrink below its design.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

#include "client/components/resize/anchor_layout.h"

namespace orvinta::components {

class CResizeHelper final : public QObject {
 public:
  // `window`'s current client size is taken as its designed size and becomes
  // its minimum size. Children are registered against that size.
  explicit CResizeHelper(QWidget& window);

  // Call with the child standing at its designed rectangle (or, for a child
  // added later, at its rectangle for the window's current size).
  void AddAnchor(QWidget* child, Anchor topLeft, Anchor bottomRight = kNoAnchor);
  void RemoveAnchor(QWidget* child);

  // Re-places every registered child for the window's current size.
  void ArrangeLayout();

  QSize DesignedSize() const { return designed_; }
  const AnchorLayout& Layout() const { return layout_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Forget(QObject* child);
  Size ArrangedSize() const;

  QWidget& window_;
  QSize designed_;
  AnchorLayout layout_;
  QHash<std::uintptr_t, QPointer<QWidget>> children_;
};

}  // namespace orvinta::components
