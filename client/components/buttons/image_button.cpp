#include "client/components/buttons/image_button.h"

#include <QAccessible>
#include <QAction>
#include <QBitmap>
#include <QEvent>
#include <QMenu>
#include <QPainter>
#include <QToolTip>

#include "client/components/buttons/button_art.h"
#include "client/components/buttons/image_button_accessible.h"
#include "platform/shell.h"
#include "platform/sound.h"

namespace orvinta::buttons {
namespace {

QPixmap Masked(QPixmap pixmap, const QColor& transparent) {
  if (pixmap.isNull() || !transparent.isValid()) return pixmap;
  pixmap.setMask(pixmap.createMaskFromColor(transparent, Qt::MaskInColor));
  return pixmap;
}

}  // namespace

CImageButton::CImageButton(QWidget* parent) : QAbstractButton(parent) {
  const QPalette& p = palette();
  colours_ = {p.color(QPalette::Button),     p.color(QPalette::ButtonText), p.color(QPalette::Button),
              p.color(QPalette::ButtonText), p.color(QPalette::Button),     p.color(QPalette::ButtonText)};
  setAttribute(Qt::WA_Hover);
  setFocusPolicy(Qt::StrongFocus);
  connect(this, &QAbstractButton::clicked, this, [this] {
    logic_.OnClick(*this);
    AnnounceChecked();
  });
  ImageButtonAccessible::Install();
}

void CImageButton::SetBitmaps(int normalId, const QColor& normalTransparent, int hoverId,
                              const QColor& hoverTransparent) {
  normalId_ = normalId;
  hoverId_ = hoverId;
  normalKey_ = normalTransparent;
  hoverKey_ = hoverTransparent;
  artScale_ = 0;
  RedrawArtForScale();
}

void CImageButton::RedrawArtForScale() {
  const int scale = devicePixelRatioF() > 1.0 ? 2 : 1;
  if ((normalId_ == 0 && hoverId_ == 0) || scale == artScale_) return;
  artScale_ = scale;
  normal_ = Masked(normalId_ ? DrawButtonArt(normalId_, scale) : QPixmap(), normalKey_);
  hover_ = Masked(hoverId_ ? DrawButtonArt(hoverId_, scale) : QPixmap(), hoverKey_);
  updateGeometry();
  update();
}

void CImageButton::SetBitmaps(QPixmap normal, const QColor& normalTransparent, QPixmap hover,
                              const QColor& hoverTransparent) {
  normalId_ = hoverId_ = 0;
  normal_ = Masked(std::move(normal), normalTransparent);
  hover_ = Masked(std::move(hover), hoverTransparent);
  updateGeometry();
  update();
}

void CImageButton::SetColours(const ButtonColours& colours) {
  colours_ = colours;
  update();
}

void CImageButton::SetTooltip(const QString& text, bool activate) {
  tooltipMade_ = true;
  tooltip_ = text;
  tooltipActive_ = activate;
  setToolTip(activate ? text : QString());
}

void CImageButton::SetFlat(bool flat) {
  flat_ = flat;
  update();
}

void CImageButton::SetHoverFrame(bool on, bool repaint) {
  hoverFrame_ = on;
  if (repaint) update();
}

void CImageButton::SetChecked(bool checked) {
  const bool before = logic_.IsChecked();
  logic_.SetChecked(checked);
  update();
  if (before != checked) AnnounceChecked();
}

void CImageButton::AnnounceChecked() {
  if (!QAccessible::isActive() || !logic_.IsCheckBox()) return;
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void CImageButton::AttachMenu(QMenu* menu, std::function<void(int)> notify) {
  menu_ = menu;
  notify_ = std::move(notify);
  logic_.SetHasMenu(menu != nullptr);
}

bool CImageButton::SetWebAddress(const std::string& address, platform::Shell* shell) {
  shell_ = shell;
  return logic_.SetWebAddress(address);
}

void CImageButton::SetSound(platform::Sound* sound, int soundId) {
  sound_ = sound;
  logic_.SetSound(sound ? soundId : 0);
}

ButtonFrame CImageButton::Frame() const { return FrameFor(flat_, hoverFrame_, hovered_); }

QSize CImageButton::sizeHint() const {
  if (!normal_.isNull()) return normal_.deviceIndependentSize().toSize();
  return QSize(fontMetrics().horizontalAdvance(text()) + 12, fontMetrics().height() + 8);
}

void CImageButton::paintEvent(QPaintEvent*) {
  RedrawArtForScale();
  QPainter p(this);
  const bool sunken = isDown() || logic_.IsPressed() || logic_.IsChecked();
  QColor back = colours_.back;
  QColor ink = colours_.text;
  if (hovered_) {
    back = colours_.hoverBack;
    ink = colours_.hoverText;
  } else if (hasFocus()) {
    back = colours_.focusBack;
    ink = colours_.focusText;
  }
  p.fillRect(rect(), back);

  const QPixmap& art = hovered_ && !hover_.isNull() ? hover_ : normal_;
  const int shift = sunken ? 1 : 0;
  if (!art.isNull()) {
    const QSize size = art.deviceIndependentSize().toSize();
    const QPoint at((width() - size.width()) / 2 + shift, (height() - size.height()) / 2 + shift);
    p.drawPixmap(at, art);
  } else {
    p.setPen(ink);
    p.drawText(rect().translated(shift, shift), Qt::AlignCenter, text());
  }

  const QPalette& pal = palette();
  const QRect r = rect();  // right() and bottom() are the last pixels
  auto edge = [&](const QRect& box, const QColor& topLeft, const QColor& bottomRight) {
    p.setPen(topLeft);
    p.drawLine(box.topLeft(), box.topRight());
    p.drawLine(box.topLeft(), box.bottomLeft());
    p.setPen(bottomRight);
    p.drawLine(box.bottomLeft(), box.bottomRight());
    p.drawLine(box.topRight(), box.bottomRight());
  };
  switch (Frame()) {
    case ButtonFrame::Raised:
      if (sunken) {
        edge(r, pal.color(QPalette::Shadow), pal.color(QPalette::Light));
        edge(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Dark), pal.color(QPalette::Midlight));
      } else {
        edge(r, pal.color(QPalette::Light), pal.color(QPalette::Shadow));
        edge(r.adjusted(1, 1, -1, -1), pal.color(QPalette::Midlight), pal.color(QPalette::Dark));
      }
      break;
    case ButtonFrame::Hover:
      if (sunken) {
        edge(r, pal.color(QPalette::Dark), pal.color(QPalette::Light));
      } else {
        edge(r, pal.color(QPalette::Light), pal.color(QPalette::Dark));
      }
      break;
    case ButtonFrame::None:
      break;
  }
}

void CImageButton::enterEvent(QEnterEvent* event) {
  hovered_ = true;
  update();
  QAbstractButton::enterEvent(event);
}

void CImageButton::leaveEvent(QEvent* event) {
  hovered_ = false;
  update();
  QAbstractButton::leaveEvent(event);
}

bool CImageButton::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && !tooltipActive_) return true;
  return QAbstractButton::event(event);
}

void CImageButton::TakeFocus() { setFocus(Qt::MouseFocusReason); }

void CImageButton::PlaySound(int soundId) {
  if (sound_) sound_->Play(soundId);
}

void CImageButton::Repaint() { update(); }

int CImageButton::TrackMenu() {
  if (!menu_) return 0;
  update();
  const QAction* chosen = menu_->exec(mapToGlobal(rect().bottomLeft()));
  return chosen ? chosen->data().toInt() : 0;
}

void CImageButton::PostCommand(int command) {
  if (!notify_) return;
  QMetaObject::invokeMethod(
      this, [notify = notify_, command] { notify(command); }, Qt::QueuedConnection);
}

void CImageButton::OpenAddress(const std::string& address) {
  if (shell_) shell_->OpenUrl(address);
}

}  // namespace orvinta::buttons
