#pragma once
// The rounded white field behind the message input line.
#include <QWidget>

namespace orvinta::components {

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
