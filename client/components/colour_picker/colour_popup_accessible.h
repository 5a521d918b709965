#pragma once
// The drop-down palette to screen readers: a list of its rows in the order a
// reader walks them ("Automatic", the 40 swatches by their colour names,
// "More Colors..."), the current colour selected and the hot row focused, as
// the same layout that paints them has them.
#include <QAccessibleWidget>
#include <vector>

#include "client/components/accessible_parts.h"
#include "client/components/colour_picker/picker_layout.h"

namespace orvinta::components {

class ColourPopup;

class ColourPopupAccessible final : public QAccessibleWidget {
 public:
  explicit ColourPopupAccessible(ColourPopup* popup);
  static void Install();

  int childCount() const override;
  QAccessibleInterface* child(int index) const override;
  int indexOfChild(const QAccessibleInterface* child) const override;
  QAccessibleInterface* focusChild() const override;
  QString text(QAccessible::Text t) const override;

  ColourPopup* Popup() const;
  // The rows in reading order, and where an item stands among them (-1 for none).
  std::vector<PickerItem> Rows() const;
  int RowOf(PickerItem item) const;

 private:
  mutable AccessibleChildren children_;  // by row
};

}  // namespace orvinta::components
