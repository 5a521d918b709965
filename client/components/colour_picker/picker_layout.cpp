#include "client/components/colour_picker/picker_layout.h"

#include <algorithm>

namespace orvinta::components {

PickerLayout::PickerLayout(const PickerMetrics& metrics) : metrics_(metrics) {
  metrics_.columns = std::max(1, metrics_.columns);
  metrics_.colourCount = std::max(0, metrics_.colourCount);
  rows_ = (metrics_.colourCount + metrics_.columns - 1) / metrics_.columns;
  const int swatchWidth = metrics_.columns * metrics_.cell;
  const int rowWidth = std::max({swatchWidth, metrics_.automaticTextWidth, metrics_.moreTextWidth});
  const int m = metrics_.margin;

  int y = m;
  if (HasAutomatic()) {
    automatic_ = {m, y, m + rowWidth, y + metrics_.textRow};
    y = automatic_.bottom + m;
  }
  // The swatches sit in the middle when a text row is the wider.
  const int swatchLeft = m + (rowWidth - swatchWidth) / 2;
  swatches_ = {swatchLeft, y, swatchLeft + swatchWidth, y + rows_ * metrics_.cell};
  y = swatches_.bottom + m;
  if (HasMore()) {
    more_ = {m, y, m + rowWidth, y + metrics_.textRow};
    y = more_.bottom + m;
  }
  size_ = {rowWidth + 2 * m, y};
}

Rect PickerLayout::SwatchRect(int index) const {
  if (index < 0 || index >= metrics_.colourCount) return {};
  const int left = swatches_.left + (index % metrics_.columns) * metrics_.cell;
  const int top = swatches_.top + (index / metrics_.columns) * metrics_.cell;
  return {left, top, left + metrics_.cell, top + metrics_.cell};
}

PickerItem PickerLayout::ItemAt(int x, int y) const {
  if (HasAutomatic() && automatic_.Contains(x, y)) return {PickerItemKind::Automatic, -1};
  if (HasMore() && more_.Contains(x, y)) return {PickerItemKind::More, -1};
  if (swatches_.Contains(x, y)) {
    const int index = (y - swatches_.top) / metrics_.cell * metrics_.columns + (x - swatches_.left) / metrics_.cell;
    if (index < metrics_.colourCount) return {PickerItemKind::Swatch, index};
  }
  return {};
}

int PickerLayout::Step(int index, int dx, int dy) const {
  if (metrics_.colourCount == 0) return -1;
  const int next = index + dx + dy * metrics_.columns;
  return std::clamp(next, 0, metrics_.colourCount - 1);
}

}  // namespace orvinta::components
