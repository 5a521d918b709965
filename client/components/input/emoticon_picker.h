#pragma once
// The popup of the 32 emoticons in table order. It reports the chosen index,
// or -1 when it closes without a choice, exactly once.
#include <QFrame>

namespace orvinta::components {

class EmoticonPicker : public QFrame {
  Q_OBJECT
 public:
  static constexpr int kColumns = 8;

  explicit EmoticonPicker(QWidget* parent = nullptr);
  // Shows the popup with its top-left corner at `topLeft` (screen coordinates).
  void Open(const QPoint& topLeft);

 signals:
  void chosen(int index);

 protected:
  void hideEvent(QHideEvent* event) override;

 private:
  void Report(int index);

  bool reported_ = false;
};

}  // namespace orvinta::components
