#pragma once
// After ten seconds without a key or a click the caret stops blinking and
// stays shown, as GTK programs do: a blinking caret wakes the program and
// repaints twice a second for nobody.
#include <QObject>
#include <QTimer>

namespace orvinta::components {

class CaretRest final : public QObject {
 public:
  explicit CaretRest(QObject* parent = nullptr, int blinkForMs = 10'000);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Rest();
  void Wake();

  QTimer rest_;
  int flashTime_;  // the desktop's blink, restored on the next key or click
  bool resting_ = false;
};

}  // namespace orvinta::components
