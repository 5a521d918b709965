#pragma once
// The popup's skins, drawn by us: 217 for an invitation, 229 for a vote or a
// notice, 225 x 130 at any device pixel ratio.
#include <QPixmap>
#include <optional>

#include "client/components/notifier/notifier_geometry.h"

namespace orvinta::components {

std::optional<Size> NotifierSkinSize(int skinId);

// A null pixmap for a skin we do not draw. Drawn once per ratio and kept.
QPixmap NotifierSkin(int skinId, qreal devicePixelRatio);

}  // namespace orvinta::components
