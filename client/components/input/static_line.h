#pragma once
// Decorative frame pieces around the main window's panels: vertical bands and
// rounded corners in nine fixed styles; styles 7 and 8 are captioned panels.
#include <QString>
#include <QWidget>

namespace orvinta::components {

class CStaticLine : public QWidget {
 public:
  static constexpr int kStyleCount = 9;

  explicit CStaticLine(QWidget* parent = nullptr) : QWidget(parent) {}

  // Style 1..9 (others paint nothing) and the painting-hidden flag; clears the caption.
  void SetStyle(int style, bool hidden = false);
  void SetCaption(const QString& caption);
  int Style() const { return style_; }
  QString Caption() const { return caption_; }
  bool IsHidden() const { return hidden_; }

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  int style_ = 1;
  bool hidden_ = false;
  QString caption_;
};

}  // namespace orvinta::components
