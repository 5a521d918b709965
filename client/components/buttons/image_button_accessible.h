#pragma once
// An image button to screen readers: a push button named by its tooltip's
// words (its bitmap has no text), checkable and checked as its toggle is,
// pressed by its default action.
#include <QAccessibleWidget>

namespace orvinta::buttons {

class CImageButton;

class ImageButtonAccessible final : public QAccessibleWidget {
 public:
  explicit ImageButtonAccessible(CImageButton* button);
  // Makes image buttons answer with this interface (once for the program).
  static void Install();

  QString text(QAccessible::Text t) const override;
  QAccessible::State state() const override;
  QStringList actionNames() const override;
  void doAction(const QString& name) override;

 private:
  CImageButton* Button() const;
};

}  // namespace orvinta::buttons
