#include "client/components/input/emoticon_picker.h"

#include <QGridLayout>
#include <QGuiApplication>
#include <QScreen>
#include <QToolButton>
#include <algorithm>

#include "client/components/input/emoticon_art.h"

namespace orvinta::components {

QPoint PopupTopLeft(const QRect& anchor, const QSize& popup, const QRect& available) {
  const int right = available.x() + available.width();
  const int bottom = available.y() + available.height();
  int x = std::min(anchor.x(), right - popup.width());
  x = std::max(x, available.x());

  const int below = anchor.y() + anchor.height();
  const int above = anchor.y() - popup.height();
  int y = below;
  if (below + popup.height() > bottom) {
    // No room below: above when it fits there, otherwise on the roomier side.
    const bool roomierAbove = anchor.y() - available.y() > bottom - below;
    if (above >= available.y() || roomierAbove) y = above;
  }
  return {x, std::clamp(y, available.y(), std::max(available.y(), bottom - popup.height()))};
}

EmoticonPicker::EmoticonPicker(QWidget* parent) : QFrame(parent, Qt::Popup) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::Box);
  setObjectName(QStringLiteral("emoticonPicker"));
  setStyleSheet(QStringLiteral("#emoticonPicker { background: #FFFFFF; border: 1px solid #B3B3B3; }"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(1);
  for (std::size_t i = 0; i < EmoticonCount(); ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("emoticon%1").arg(i));
    button->setAutoRaise(true);
    button->setIcon(EmoticonIcon(i));
    button->setIconSize(QSize(kEmoticonPixels, kEmoticonPixels));
    button->setToolTip(EmoticonKeyword(i));
    button->setAccessibleName(EmoticonKeyword(i));
    const int index = static_cast<int>(i);
    connect(button, &QToolButton::clicked, this, [this, index] { Report(index); });
    grid->addWidget(button, index / kColumns, index % kColumns);
  }
}

void EmoticonPicker::Open(const QRect& anchor) {
  adjustSize();
  QScreen* screen = QGuiApplication::screenAt(anchor.center());
  if (!screen && parentWidget()) screen = parentWidget()->screen();
  if (!screen) screen = QGuiApplication::primaryScreen();
  move(screen ? PopupTopLeft(anchor, size(), screen->availableGeometry()) : anchor.bottomLeft());
  show();
}

void EmoticonPicker::hideEvent(QHideEvent* event) {
  QFrame::hideEvent(event);
  Report(-1);  // closed without a choice
}

void EmoticonPicker::Report(int index) {
  if (reported_) return;
  reported_ = true;
  emit chosen(index);
  close();
}

}  // namespace orvinta::components
