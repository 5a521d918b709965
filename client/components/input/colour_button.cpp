#include "client/components/input/colour_button.h"

#include <QColorDialog>
#include <QMenu>
#include <QPainter>
#include <QPixmap>

#include "client/components/input/colorref.h"

namespace orvinta::components {
namespace {

QPixmap Swatch(std::uint32_t colour) {
  QPixmap swatch(16, 16);
  swatch.fill(ToQColor(colour));
  QPainter painter(&swatch);
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(0, 0, 15, 15);
  return swatch;
}

}  // namespace

ColourButton::ColourButton(QWidget* parent) : QToolButton(parent) {
  setPopupMode(QToolButton::MenuButtonPopup);
  auto* menu = new QMenu(this);
  connect(menu->addAction(QStringLiteral("Automatic")), &QAction::triggered, this, [this] {
    emit droppedDown();
    emit colourAccepted(kAutomatic);
  });
  connect(menu->addAction(QStringLiteral("More Colors...")), &QAction::triggered, this, &ColourButton::OpenDialog);
  setMenu(menu);
  connect(this, &QToolButton::clicked, this, &ColourButton::OpenDialog);
  SetColour(0);
}

void ColourButton::SetColour(std::uint32_t colour) {
  colour_ = colour & 0xFFFFFF;
  setIcon(Swatch(colour_));
}

void ColourButton::OpenDialog() {
  auto* dialog = new QColorDialog(ToQColor(colour_), this);
  dialog->setOption(QColorDialog::DontUseNativeDialog);
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  connect(dialog, &QColorDialog::colorSelected, this, [this](const QColor& chosen) {
    SetColour(ToColorRef(chosen));
    emit colourAccepted(colour_);
  });
  connect(dialog, &QColorDialog::rejected, this, &ColourButton::cancelled);
  emit droppedDown();
  dialog->open();
}

}  // namespace orvinta::components
