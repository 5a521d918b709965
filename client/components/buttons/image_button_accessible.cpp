#include "client/components/buttons/image_button_accessible.h"

#include "client/components/accessible_parts.h"
#include "client/components/buttons/image_button.h"

namespace orvinta::buttons {
ImageButtonAccessible::ImageButtonAccessible(CImageButton* button)
    : QAccessibleWidget(button, QAccessible::Button) {}

void ImageButtonAccessible::Install() { components::InstallAccessibleFactory<CImageButton, ImageButtonAccessible>(); }

CImageButton* ImageButtonAccessible::Button() const { return static_cast<CImageButton*>(widget()); }

QString ImageButtonAccessible::text(QAccessible::Text t) const {
  if (t == QAccessible::Name) {
    if (!widget()->accessibleName().isEmpty()) return widget()->accessibleName();
    return Button()->text().isEmpty() ? Button()->Tooltip() : Button()->text();
  }
  // The tooltip's words are the name already; they are not said twice.
  if (t == QAccessible::Description) return widget()->accessibleDescription();
  return QAccessibleWidget::text(t);
}

QAccessible::State ImageButtonAccessible::state() const {
  QAccessible::State s = QAccessibleWidget::state();
  s.checkable = Button()->IsCheckBox();
  s.checked = Button()->IsCheckBox() && Button()->IsChecked();
  s.pressed = Button()->isDown();
  return s;
}

QStringList ImageButtonAccessible::actionNames() const {
  QStringList names = QAccessibleWidget::actionNames();
  names.prepend(Button()->IsCheckBox() ? toggleAction() : pressAction());
  return names;
}

void ImageButtonAccessible::doAction(const QString& name) {
  if (name == pressAction() || name == toggleAction()) {
    if (Button()->isEnabled()) Button()->click();
    return;
  }
  QAccessibleWidget::doAction(name);
}

}  // namespace orvinta::buttons
