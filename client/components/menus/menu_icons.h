#pragma once
// The image lists of the program's menus, drawn at 16 x 16.
#include <QIcon>
#include <QList>

#include "platform/popup_menu.h"

namespace orvinta::components {

QList<QIcon> MenuImages(platform::MenuIcons set);

}  // namespace orvinta::components
