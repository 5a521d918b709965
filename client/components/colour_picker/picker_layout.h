#pragma once
// Where the drop-down palette puts its rows: the swatches 8 to a row, the
// "Automatic" row above them and the "More Colors..." row below them, each
// shown only when its text is not empty and as wide as the wider text or the
// swatch area, whichever is larger.
#include "client/components/pixel_geometry.h"

namespace orvinta::components {

enum class PickerItemKind { None, Automatic, Swatch, More };

struct PickerItem {
  PickerItemKind kind = PickerItemKind::None;
  int index = -1;  // the swatch, for PickerItemKind::Swatch
  friend constexpr bool operator==(const PickerItem&, const PickerItem&) = default;
};

struct PickerMetrics {
  int colourCount = 40;
  int columns = 8;
  int cell = 18;       // one swatch's square
  int margin = 4;      // around everything and between rows
  int textRow = 22;    // height of the two text rows
  int automaticTextWidth = 0;  // 0 when that text is empty (no row)
  int moreTextWidth = 0;       // likewise
};

class PickerLayout {
 public:
  explicit PickerLayout(const PickerMetrics& metrics);

  Size PopupSize() const { return size_; }
  int Rows() const { return rows_; }
  bool HasAutomatic() const { return metrics_.automaticTextWidth > 0; }
  bool HasMore() const { return metrics_.moreTextWidth > 0; }
  Rect SwatchRect(int index) const;
  Rect AutomaticRect() const { return automatic_; }
  Rect MoreRect() const { return more_; }
  PickerItem ItemAt(int x, int y) const;

  // The swatch reached from `index` by a step of (columns, rows), kept in range.
  int Step(int index, int dx, int dy) const;

 private:
  PickerMetrics metrics_;
  int rows_ = 0;
  Rect swatches_;  // the whole swatch area
  Rect automatic_;
  Rect more_;
  Size size_;
};

}  // namespace orvinta::components
