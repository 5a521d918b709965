#pragma once
// The input line grows upward to show up to kMaxLines lines of what it
// holds (a pasted text of several lines) and shrinks back as the text goes.
// Widgets behind it (its rounded field, the composer's band) grow with it,
// and widgets above it (the toolbar) ride up with it, over the lowest lines
// of the transcript. Their bottoms, lefts and widths stay where whoever
// places them (the window's resize support) puts them; the growth follows
// every such placement.
#include <QObject>
#include <QPointer>
#include <vector>

class QTextEdit;
class QWidget;

namespace orvinta::components {

class InputLineGrowth final : public QObject {
 public:
  static constexpr int kMaxLines = 4;

  // All stand at their normal places now. `growing` from back to front; the
  // growth is the input's child.
  InputLineGrowth(QTextEdit& input, const std::vector<QWidget*>& growing, const std::vector<QWidget*>& riding);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Grown {
    QPointer<QWidget> widget;
    int height;  // normal
  };
  struct Riding {
    QPointer<QWidget> widget;
    int aboveInputBottom;  // from its top down to the input's bottom, normally
  };
  int WantedExtra() const;
  void Apply();
  bool InPlace() const;

  QTextEdit& input_;
  const int inputHeight_;
  std::vector<Grown> growing_;
  std::vector<Riding> riding_;
  int extra_ = 0;  // pixels grown by
};

}  // namespace orvinta::components
