#pragma once
// The popup of the 32 emoticons in table order. It reports the chosen index,
// or -1 when it closes without a choice, exactly once.
#include <QFrame>
#include <QPoint>
#include <QRect>
#include <QSize>

namespace orvinta::components {

// Where a popup of `popup` size opens for the button at `anchor`: under it,
// above it when the screen's `available` area has no room below, and moved
// inside that area where it would cross an edge.
QPoint PopupTopLeft(const QRect& anchor, const QSize& popup, const QRect& available);

class EmoticonPicker : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kColumns = 8;

  explicit EmoticonPicker(QWidget* parent = nullptr);
  // Shows the popup under (or above) `anchor`, the opening button's rectangle
  // in screen coordinates, on the screen that holds the button.
  void Open(const QRect& anchor);

 signals:
  void chosen(int index);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Report(int index);

  bool reported_ = false;
};

}  // namespace orvinta::components
