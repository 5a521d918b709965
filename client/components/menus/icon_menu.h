#pragma once
// A popup menu with a small picture beside each item, drawn in the flat or
// the raised look. The look is asked for each time an item is drawn.
#include <QIcon>
#include <QList>
#include <QMenu>
#include <functional>
#include <vector>

#include "client/components/menus/icon_menu_look.h"
#include "platform/popup_menu.h"

namespace orvinta::components {

class IconMenu final : public QMenu {
  Q_OBJECT
 public:
  IconMenu(QList<QIcon> images, std::function<MenuLook()> look, QWidget* parent = nullptr);
  ~IconMenu() override;

  // The items, each with its picture from the image list; command 0 is a separator.
  void SetItems(const std::vector<platform::MenuItem>& items);
  // Shows the menu at `at` until the user chooses; the chosen command or 0.
  int Track(const QPoint& at);

 private:
  QList<QIcon> images_;
  class Style;
  Style* style_;
};

}  // namespace orvinta::components
