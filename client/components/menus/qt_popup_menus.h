#pragma once
// The popup-menu port over IconMenu, and this host's terms for the look.
#include <QPointer>
#include <QWidget>

#include "client/components/menus/icon_menu_look.h"
#include "platform/popup_menu.h"

namespace orvinta::components {

// On Linux the desktop counts as a themed one (classified as code 7): the
// flat look, unless Qt's classic "Windows" style is in use (the classic theme)
// or the screen has 8 bits or fewer per pixel.
MenuPlatform HostMenuPlatform();

class QtPopupMenus final : public platform::PopupMenus {
 public:
  explicit QtPopupMenus(QWidget* parent = nullptr) : parent_(parent) {}
  platform::ScreenPoint CursorPosition() const override;
  int Track(platform::MenuIcons icons, const std::vector<platform::MenuItem>& items, platform::ScreenPoint at) override;

 private:
  QPointer<QWidget> parent_;
};

}  // namespace orvinta::components
