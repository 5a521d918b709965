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

// A Linux desktop draws themed menus: the classification sees it as the
// themed system of its table.
constexpr platform::OsVersion kThemedDesktopOs{platform::OsFamily::WinNT, 5, 1};

// The desktop's theme named as a theme file: Qt's classic "Windows" style is the classic theme.
std::string ThemeFileOf(const QStyle* style) {
  if (!style) return {};
  if (style->name().compare(QLatin1String("windows"), Qt::CaseInsensitive) == 0) return "Windows Classic.theme";
  return style->name().toStdString() + ".theme";
}

}  // namespace

MenuPlatform HostMenuPlatform() {
  MenuPlatform platform;
  platform.platformCode = PlatformCode(kThemedDesktopOs);
  platform.classicTheme = IsClassicThemeFile(ThemeFileOf(QApplication::style()));
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
