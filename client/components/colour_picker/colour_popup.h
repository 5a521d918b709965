#pragma once
// The drop-down palette of the colour button: 40 swatches with their names as
// tooltips, and the "Automatic" and "More Colors..." rows. A left-button
// release inside accepts what is under the pointer; a release outside, a click
// elsewhere, Escape or the application losing activation cancels. It reports
// once, then closes and deletes itself.
#include <QString>
#include <QWidget>
#include <cstdint>

#include "client/components/colour_picker/picker_layout.h"

namespace orvinta::components {

struct PopupContent {
  std::uint32_t colour = 0;         // marked as current
  std::uint32_t defaultColour = 0;  // shown on the "Automatic" row
  QString defaultText;              // empty: no such row
  QString customText;               // empty: no such row
};

class ColourPopup final : public QWidget {
  Q_OBJECT
 public:
  ColourPopup(QWidget* owner, const PopupContent& content);

  // Shows the palette with its top-left corner at `topLeft` (global), kept on the screen.
  void Open(const QPoint& topLeft);
  const PickerLayout& Layout() const { return layout_; }
  const PopupContent& Content() const { return content_; }
  PickerItem Hot() const { return hot_; }
  // As a release on that row does: reports it and closes.
  void Choose(PickerItem item) { Finish(item); }

 signals:
  void hovered(int swatch);             // the pointer moved onto another swatch
  void chosen(std::uint32_t colour);    // a swatch or the automatic choice
  void moreColoursChosen();             // "More Colors..."; the popup has closed
  void cancelled();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void hideEvent(QHideEvent* event) override;
  bool event(QEvent* event) override;

 private:
  static PickerMetrics Metrics(const QFont& font, const PopupContent& content);
  void SetHot(PickerItem item);
  void Finish(PickerItem item);
  void End();
  void PaintTextRow(QPainter& painter, const Rect& row, const QString& text, bool hot, bool selected, bool swatch);

  PopupContent content_;
  PickerLayout layout_;
  PickerItem hot_;
  bool ended_ = false;
};

}  // namespace orvinta::components
