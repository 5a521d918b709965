#pragma once
// Popup menus shown at a screen position, answered with the chosen command.
// Texts are code page 949 bytes.
#include <string>
#include <vector>

namespace orvinta::platform {

struct ScreenPoint {
  int x = 0;
  int y = 0;
};

// Which picture set the menu's icon indexes refer to.
enum class MenuIcons { Member, Status };

struct MenuItem {
  int command = 0;  // 0: a separator
  std::string text;
  bool enabled = true;
  int icon = -1;  // index into the menu's pictures; -1: none
  bool checked = false;
};

class PopupMenus {
 public:
  virtual ~PopupMenus() = default;
  // Where the pointer is now; menus opened from an answer that comes later
  // are shown where the click was.
  virtual ScreenPoint CursorPosition() const = 0;
  // Shows the menu until the user chooses or dismisses it (either mouse
  // button chooses). The chosen command, or 0.
  virtual int Track(MenuIcons icons, const std::vector<MenuItem>& items, ScreenPoint at) = 0;
};

}  // namespace orvinta::platform
