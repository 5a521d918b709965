#pragma once
// The two close-box pictures of the room tabs (16 x 16, drawn here rather
// than loaded, so they stay sharp at any device pixel ratio).
#include <QPixmap>

#include "client/components/room_tabs/room_tab_look.h"

namespace orvinta::components {

QPixmap CloseBoxPixmap(CloseIcon icon, qreal devicePixelRatio);

}  // namespace orvinta::components
