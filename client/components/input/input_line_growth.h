#pragma once
// The input line grows upward, with the rounded field behind it, to show up
// to kMaxLines lines of what it holds (a pasted text of several lines), over
// what lies above it, and shrinks back as the text goes. Its bottom, left
// and right stay where whoever places it (the window's resize support) puts
// them; the growth follows every such placement.
#include <QObject>

class QTextEdit;
class QWidget;

namespace orvinta::components {

class InputLineGrowth final : public QObject {
 public:
  static constexpr int kMaxLines = 4;

  // Both widgets stand at their normal size now; the growth is the input's child.
  InputLineGrowth(QTextEdit& input, QWidget& field);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  int WantedExtra() const;
  void Apply();
  static void SetHeight(QWidget& widget, int height);

  QTextEdit& input_;
  QWidget& field_;
  const int inputHeight_;  // the normal heights
  const int fieldHeight_;
  int extra_ = 0;          // pixels both have grown by
};

}  // namespace orvinta::components
