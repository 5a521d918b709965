#pragma once
// The port through which the popup's logic moves and shows its window.
#include <optional>

#include "client/components/notifier/notifier_geometry.h"

namespace orvinta::components {

class NotifierSurface {
 public:
  virtual ~NotifierSurface() = default;
  // The size of drawn skin `skinId`; nullopt when there is no such skin.
  virtual std::optional<Size> SkinSize(int skinId) const = 0;
  // The rectangle the popup rises out of: the owner window's, in the
  // coordinates Place uses.
  virtual Rect AnchorRect() const = 0;
  // Moves and sizes the window and keeps it above its owner, never taking the focus.
  virtual void Place(const Rect& frame) = 0;
  virtual void ShowInactive() = 0;
  virtual void Hide() = 0;
  virtual void Repaint() = 0;
};

}  // namespace orvinta::components
