#include "client/components/menus/qt_popup_menus.h"

#include <QApplication>
#include <QCursor>
#include <QGuiApplication>
#include <QScreen>
#include <QStyle>

#include "client/components/menus/icon_menu.h"
#include "client/components/menus/menu_icons.h"

namespace orvinta::components {
namespace {

constexpr int kPaletteDepth = 8;

}  // namespace

MenuPlatform HostMenuPlatform() {
  MenuPlatform platform;
  platform.platformCode = kThemedDesktopCode;
  const QStyle* style = QApplication::style();
  platform.classicTheme = style && style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0;
  const QScreen* screen = QGuiApplication::primaryScreen();
  platform.paletteDisplay = screen && screen->depth() <= kPaletteDepth;
  return platform;
}

platform::ScreenPoint QtPopupMenus::CursorPosition() const {
  const QPoint at = QCursor::pos();
  return {at.x(), at.y()};
}

int QtPopupMenus::Track(platform::MenuIcons icons, const std::vector<platform::MenuItem>& items,
                        platform::ScreenPoint at) {
  IconMenu menu(MenuImages(icons), [] { return ChooseMenuLook(HostMenuPlatform()); }, parent_);
  menu.SetItems(items);
  return menu.Track(QPoint(at.x, at.y));
}

}  // namespace orvinta::components
