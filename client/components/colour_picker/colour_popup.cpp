#include "client/components/colour_picker/colour_popup.h"

#include <QAccessible>
#include <QGuiApplication>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QToolTip>

#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_popup_accessible.h"
#include "client/components/colour_picker/colour_picker_state.h"
#include "client/components/input/colorref.h"

namespace orvinta::components {
namespace {

constexpr int kTextPadding = 10;
const QColor kBackground(249, 249, 249);
const QColor kBorder(160, 160, 160);
const QColor kHotFill(193, 210, 238);
const QColor kHotFrame(49, 106, 197);
const QColor kSwatchFrame(128, 128, 128);
const QColor kWorkspace(171, 171, 171);

QRect ToQRect(const Rect& r) { return QRect(r.left, r.top, r.Width(), r.Height()); }

QColor Shown(std::uint32_t colour) { return colour == kAutomaticColour ? kWorkspace : ToQColor(colour); }

}  // namespace

PickerMetrics ColourPopup::Metrics(const QFont& font, const PopupContent& content) {
  const QFontMetrics fm(font);
  PickerMetrics metrics;
  metrics.colourCount = static_cast<int>(Palette().size());
  auto width = [&fm](const QString& text) { return text.isEmpty() ? 0 : fm.horizontalAdvance(text) + 2 * kTextPadding; };
  metrics.automaticTextWidth = width(content.defaultText);
  metrics.moreTextWidth = width(content.customText);
  // Both rows as wide as the wider text.
  const int rowText = std::max(metrics.automaticTextWidth, metrics.moreTextWidth);
  if (metrics.automaticTextWidth) metrics.automaticTextWidth = rowText;
  if (metrics.moreTextWidth) metrics.moreTextWidth = rowText;
  return metrics;
}

ColourPopup::ColourPopup(QWidget* owner, const PopupContent& content)
    : QWidget(owner, Qt::Popup), content_(content), layout_(Metrics(font(), content)) {
  setObjectName(QStringLiteral("colourPopup"));
  setAttribute(Qt::WA_DeleteOnClose);
  // A click on the button that closes the palette must not open it again.
  setAttribute(Qt::WA_NoMouseReplay);
  setMouseTracking(true);
  resize(layout_.PopupSize().width, layout_.PopupSize().height);
  connect(qApp, &QGuiApplication::applicationStateChanged, this, [this](Qt::ApplicationState state) {
    if (state != Qt::ApplicationActive) Finish({});
  });
  if (const int current = PaletteIndexOf(content_.colour); current >= 0) hot_ = {PickerItemKind::Swatch, current};
  ColourPopupAccessible::Install();
}

void ColourPopup::Open(const QPoint& topLeft) {
  QPoint at = topLeft;
  if (const QScreen* screen = QGuiApplication::screenAt(topLeft)) {
    const QRect area = screen->availableGeometry();
    at.setX(std::clamp(at.x(), area.left(), std::max(area.left(), area.right() + 1 - width())));
    at.setY(std::clamp(at.y(), area.top(), std::max(area.top(), area.bottom() + 1 - height())));
  }
  move(at);
  show();
  setFocus();
}

void ColourPopup::SetHot(PickerItem item) {
  if (item == hot_) return;
  hot_ = item;
  update();
  if (QAccessible::isActive() && hasFocus()) {
    // The row the arrow keys reached is read as focus moving onto it.
    if (auto* list = dynamic_cast<ColourPopupAccessible*>(QAccessible::queryAccessibleInterface(this))) {
      QAccessibleEvent focus(this, QAccessible::Focus);
      focus.setChild(list->RowOf(item));
      QAccessible::updateAccessibility(&focus);
    }
  }
  if (item.kind == PickerItemKind::Swatch) emit hovered(item.index);
}

void ColourPopup::Finish(PickerItem item) {
  if (ended_) return;
  ended_ = true;
  close();
  switch (item.kind) {
    case PickerItemKind::Swatch:
      emit chosen(Palette()[static_cast<std::size_t>(item.index)].colour);
      break;
    case PickerItemKind::Automatic:
      emit chosen(kAutomaticColour);
      break;
    case PickerItemKind::More:
      emit moreColoursChosen();
      break;
    case PickerItemKind::None:
      emit cancelled();
      break;
  }
}

void ColourPopup::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const PickerItem item = layout_.ItemAt(at.x(), at.y());
  if (item.kind != PickerItemKind::None) SetHot(item);
}

void ColourPopup::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return;
  const QPoint at = event->position().toPoint();
  if (!rect().contains(at)) return Finish({});
  const PickerItem item = layout_.ItemAt(at.x(), at.y());
  if (item.kind != PickerItemKind::None) Finish(item);  // a gap between rows keeps it open
}

void ColourPopup::keyPressEvent(QKeyEvent* event) {
  const int swatch = hot_.kind == PickerItemKind::Swatch ? hot_.index : -1;
  auto step = [this, swatch](int dx, int dy) {
    SetHot({PickerItemKind::Swatch, swatch < 0 ? 0 : layout_.Step(swatch, dx, dy)});
  };
  switch (event->key()) {
    case Qt::Key_Escape:
      return Finish({});
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
      if (hot_.kind != PickerItemKind::None) Finish(hot_);
      return;
    case Qt::Key_Left:
      return step(-1, 0);
    case Qt::Key_Right:
      return step(1, 0);
    case Qt::Key_Up:
      return step(0, -1);
    case Qt::Key_Down:
      return step(0, 1);
    default:
      QWidget::keyPressEvent(event);
  }
}

void ColourPopup::hideEvent(QHideEvent* event) {
  // Closed from outside (a click elsewhere, the window going away): a cancellation.
  if (!ended_) {
    ended_ = true;
    emit cancelled();
  }
  QWidget::hideEvent(event);
}

bool ColourPopup::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    auto* help = static_cast<QHelpEvent*>(event);
    const PickerItem item = layout_.ItemAt(help->pos().x(), help->pos().y());
    if (item.kind == PickerItemKind::Swatch) {
      const auto name = Palette()[static_cast<std::size_t>(item.index)].name;
      QToolTip::showText(help->globalPos(), QString::fromLatin1(name.data(), static_cast<qsizetype>(name.size())), this,
                         ToQRect(layout_.SwatchRect(item.index)));
    } else {
      QToolTip::hideText();
    }
    return true;
  }
  return QWidget::event(event);
}

void ColourPopup::PaintTextRow(QPainter& painter, const Rect& row, const QString& text, bool hot, bool selected,
                               bool swatch) {
  const QRect box = ToQRect(row);
  if (hot || selected) {
    painter.fillRect(box, hot ? kHotFill : kBackground);
    painter.setPen(hot ? kHotFrame : kSwatchFrame);
    painter.drawRect(box.adjusted(0, 0, -1, -1));
  }
  QRect textBox = box;
  if (swatch) {
    // The colour "Automatic" stands for, beside its text.
    const QRect sample(box.left() + 4, box.center().y() - 5, 10, 10);
    painter.fillRect(sample, Shown(content_.defaultColour));
    painter.setPen(kSwatchFrame);
    painter.drawRect(sample.adjusted(0, 0, -1, -1));
    textBox.setLeft(sample.right() + 2);
    textBox.setRight(box.right() - 14);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawText(textBox, Qt::AlignCenter | Qt::TextSingleLine, text);
}

void ColourPopup::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.fillRect(rect(), kBackground);
  painter.setPen(kBorder);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));

  if (layout_.HasAutomatic()) {
    PaintTextRow(painter, layout_.AutomaticRect(), content_.defaultText, hot_.kind == PickerItemKind::Automatic,
                 content_.colour == kAutomaticColour, true);
  }
  const auto colours = Palette();
  for (int i = 0; i < static_cast<int>(colours.size()); ++i) {
    const QRect cell = ToQRect(layout_.SwatchRect(i));
    const bool hot = hot_ == PickerItem{PickerItemKind::Swatch, i};
    if (hot || colours[static_cast<std::size_t>(i)].colour == content_.colour) {
      painter.fillRect(cell, hot ? kHotFill : QColor(220, 220, 220));
      painter.setPen(hot ? kHotFrame : kSwatchFrame);
      painter.drawRect(cell.adjusted(0, 0, -1, -1));
    }
    const QRect sample = cell.adjusted(3, 3, -3, -3);
    painter.fillRect(sample, ToQColor(colours[static_cast<std::size_t>(i)].colour));
    painter.setPen(kSwatchFrame);
    painter.drawRect(sample.adjusted(0, 0, -1, -1));
  }
  if (layout_.HasMore()) {
    PaintTextRow(painter, layout_.MoreRect(), content_.customText, hot_.kind == PickerItemKind::More, false, false);
  }
}

}  // namespace orvinta::components
