#pragma once
// The green title bar with white bold text of the settings dialog.
#include <QString>
#include <QWidget>

namespace orvinta::components {

class CStaticTitle : public QWidget {
 public:
  explicit CStaticTitle(QWidget* parent = nullptr) : QWidget(parent) {}

  void SetText(const QString& text);
  QString Text() const { return text_; }
  // Only painting stops; the widget keeps its place.
  void SetHidden(bool hidden);
  bool IsHidden() const { return hidden_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString text_;
  bool hidden_ = false;
};

}  // namespace orvinta::components
