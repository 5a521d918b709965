#include "client/components/colour_picker/colour_picker_xp.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_popup.h"
#include "client/components/colour_picker/more_colours.h"
#include "client/components/input/colorref.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

// The automatic colour shows as the desktop's application-workspace grey.
const QColor kWorkspace(171, 171, 171);

QColor Shown(std::uint32_t colour) { return colour == kAutomaticColour ? kWorkspace : ToQColor(colour); }

}  // namespace

CColourPickerXP::CColourPickerXP(int controlId, QWidget* parent)
    : QPushButton(parent), controlId_(controlId), state_([this](PickerNotice n, std::uint32_t c) { Notify(n, c); }) {
  connect(this, &QPushButton::clicked, this, &CColourPickerXP::DropDown);
}

CColourPickerXP::~CColourPickerXP() {
  // An open palette goes first, while this button can still hear from it; it reports nothing.
  if (popup_) {
    popup_->disconnect(this);
    delete popup_;
  }
}

void CColourPickerXP::SetColor(std::uint32_t colour) {
  state_.SetColour(colour);
  update();
  ShowColourToReaders();
}

void CColourPickerXP::ShowColourToReaders() {
  // Screen readers hear the colour in force after the button's name.
  const std::uint32_t colour = state_.Colour();
  const std::string name = colour == kAutomaticColour ? state_.DefaultText() : ColourName(colour);
  const QString said = platform::qt::FromCp949(name);
  if (said != accessibleDescription()) setAccessibleDescription(said);
}

void CColourPickerXP::SetDefaultColor(std::uint32_t colour) {
  state_.SetDefaultColour(colour);
  update();
}

void CColourPickerXP::Notify(PickerNotice notice, std::uint32_t colour) {
  update();
  ShowColourToReaders();
  switch (notice) {
    case PickerNotice::SelectionChanged:
      return emit selChange(colour, controlId_);
    case PickerNotice::DroppedDown:
      return emit dropDown(colour, controlId_);
    case PickerNotice::ClosedUp:
      return emit closeUp(colour, controlId_);
    case PickerNotice::Accepted:
      return emit selEndOk(colour, controlId_);
    case PickerNotice::Cancelled:
      return emit selEndCancel(colour, controlId_);
  }
}

void CColourPickerXP::DropDown() {
  if (state_.Active()) return;
  setDown(true);
  PopupContent content{state_.Colour(), state_.DefaultColour(), platform::qt::FromCp949(state_.DefaultText()),
                       platform::qt::FromCp949(state_.CustomText())};
  popup_ = new ColourPopup(this, content);
  connect(popup_, &ColourPopup::hovered, this,
          [this](int swatch) { state_.Track(Palette()[static_cast<std::size_t>(swatch)].colour); });
  connect(popup_, &ColourPopup::chosen, this, [this](std::uint32_t colour) {
    setDown(false);
    state_.Accept(colour);
  });
  connect(popup_, &ColourPopup::cancelled, this, [this] {
    setDown(false);
    state_.Cancel();
  });
  connect(popup_, &ColourPopup::moreColoursChosen, this, &CColourPickerXP::ChooseMoreColours);
  state_.DropDown();
  popup_->Open(mapToGlobal(QPoint(0, height())));
}

void CColourPickerXP::ChooseMoreColours() {
  setDown(false);
  std::uint32_t current = state_.Colour() == kAutomaticColour ? state_.DefaultColour() : state_.Colour();
  if (current == kAutomaticColour) current = 0xFFFFFF;
  OpenMoreColours(window(), current, store_, state_.Section(), [self = QPointer<CColourPickerXP>(this)](auto chosen) {
    if (!self) return;
    if (!chosen) return self->state_.Cancel();
    self->state_.Accept(*chosen);
    if (QWidget* owner = self->parentWidget()) owner->update();
  });
}

void CColourPickerXP::paintEvent(QPaintEvent*) {
  QStylePainter painter(this);
  QStyleOptionButton option;
  initStyleOption(&option);
  option.text.clear();
  option.icon = QIcon();
  painter.drawControl(QStyle::CE_PushButtonBevel, option);

  // The colour on the left, a drop arrow on the right.
  const QRect inner = rect().adjusted(4, 4, -4, -4);
  const int arrowWidth = 9;
  const QRect sample = inner.adjusted(0, 0, -(arrowWidth + 3), 0);
  painter.fillRect(sample, isEnabled() ? Shown(state_.Colour()) : palette().color(QPalette::Button));
  painter.setPen(QColor(128, 128, 128));
  painter.drawRect(sample.adjusted(0, 0, -1, -1));
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setPen(Qt::NoPen);
  painter.setBrush(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
  const QPointF c(inner.right() - arrowWidth / 2.0 + 0.5, inner.center().y() + 1);
  painter.drawPolygon(QPolygonF({c + QPointF(-3.5, -2), c + QPointF(3.5, -2), c + QPointF(0, 2)}));
}

}  // namespace orvinta::components
