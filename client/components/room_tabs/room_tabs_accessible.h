#pragma once
// The drawn room tab strip to screen readers: a page tab list whose children
// are the tabs, read from the same strip model that paints them. Each tab is
// named by its room title, says its unseen news in its description, is
// selected when current, and offers "select" and (but the waiting room) "close".
#include <QAccessibleWidget>

#include "client/components/accessible_parts.h"

namespace orvinta::components {

class CRoomTabCtrl;

class RoomTabsAccessible final : public QAccessibleWidget {
 public:
  explicit RoomTabsAccessible(CRoomTabCtrl* tabs);
  // Makes room tab strips answer with this interface (once for the program).
  static void Install();

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* childAt(int x, int y) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;

  CRoomTabCtrl* Tabs() const;

 private:
  mutable AccessibleChildren children_;  // by tab position
};

// What a tab's description says about its room's unseen lines ("" when none).
QString TabNewsText(int image);

}  // namespace orvinta::components
