#pragma once
// The rounded white field behind the message input line, with a light blue
// strip at its right edge.
#include <QWidget>

namespace orvinta::components {

// Width of the light blue strip; whatever sits on the field keeps clear of it.
inline constexpr int kInputStripWidth = 11;

class CStaticInputLine : public QWidget {
 public:
  explicit CStaticInputLine(QWidget* parent = nullptr) : QWidget(parent) {}
  // Only painting stops; the widget keeps its place.
  void SetHidden(bool hidden);
  bool IsHidden() const { return hidden_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  bool hidden_ = false;
};

}  // namespace orvinta::components
