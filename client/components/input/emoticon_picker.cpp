#include "client/components/input/emoticon_picker.h"

#include <QGridLayout>
#include <QPixmap>
#include <QToolButton>

#include "client/components/input/emoticon_art.h"

namespace orvinta::components {

EmoticonPicker::EmoticonPicker(QWidget* parent) : QFrame(parent, Qt::Popup) {
  setAttribute(Qt::WA_DeleteOnClose);
  setFrameShape(QFrame::Box);
  setStyleSheet(QStringLiteral("EmoticonPicker { background: #FFFFFF; border: 1px solid #B3B3B3; }"));
  auto* grid = new QGridLayout(this);
  grid->setContentsMargins(3, 3, 3, 3);
  grid->setSpacing(1);
  for (std::size_t i = 0; i < EmoticonCount(); ++i) {
    auto* button = new QToolButton(this);
    button->setObjectName(QStringLiteral("emoticon%1").arg(i));
    button->setAutoRaise(true);
    button->setIcon(QPixmap::fromImage(EmoticonImage(i)));
    button->setIconSize(QSize(kEmoticonPixels, kEmoticonPixels));
    button->setToolTip(EmoticonKeyword(i));
    const int index = static_cast<int>(i);
    connect(button, &QToolButton::clicked, this, [this, index] { Report(index); });
    grid->addWidget(button, index / kColumns, index % kColumns);
  }
}

void EmoticonPicker::Open(const QPoint& topLeft) {
  move(topLeft);
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
