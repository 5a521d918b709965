#pragma once
// A push button that shows a bitmap (another while pointed at), with a
// tooltip, and that can toggle, open a menu or open a web address.
#include <QAbstractButton>
#include <QColor>
#include <QPixmap>
#include <QPointer>
#include <functional>
#include <string>

#include "client/components/buttons/image_button_logic.h"

class QMenu;

namespace orvinta::platform {
class Shell;
class Sound;
}  // namespace orvinta::platform

namespace orvinta::buttons {

// Background and text for the normal, pointed-at and focused states.
struct ButtonColours {
  QColor back;
  QColor text;
  QColor hoverBack;
  QColor hoverText;
  QColor focusBack;
  QColor focusText;
};

class CImageButton final : public QAbstractButton, private ButtonActions {
  Q_OBJECT
 public:
  explicit CImageButton(QWidget* parent = nullptr);

  // Bitmaps by art id (see button_art.h), 0 for none, each with the colour
  // that shows the button through it. Drawn for the screen's scale.
  void SetBitmaps(int normalId, const QColor& normalTransparent, int hoverId, const QColor& hoverTransparent);
  // The same from pixmaps of our own.
  void SetBitmaps(QPixmap normal, const QColor& normalTransparent, QPixmap hover, const QColor& hoverTransparent);
  void SetColours(const ButtonColours& colours);
  const ButtonColours& Colours() const { return colours_; }
  // The first call makes the tooltip; later ones change its text. An inactive
  // tooltip keeps its text and shows nothing.
  void SetTooltip(const QString& text, bool activate = true);
  void SetFlat(bool flat);
  void SetHoverFrame(bool on, bool repaint = true);
  const QString& Tooltip() const { return tooltip_; }
  void SetCheckBox(bool on) { logic_.SetCheckBox(on); }
  bool IsCheckBox() const { return logic_.IsCheckBox(); }
  bool IsChecked() const { return logic_.IsChecked(); }
  void SetChecked(bool checked);
  // Its chosen command goes to notify, posted through the event loop; menu
  // actions carry their command id as data.
  void AttachMenu(QMenu* menu, std::function<void(int command)> notify);
  // http or https only, at most 259 characters; false (and none kept) otherwise.
  bool SetWebAddress(const std::string& address, platform::Shell* shell);
  void SetSound(platform::Sound* sound, int soundId);

  bool IsHovered() const { return hovered_; }
  ButtonFrame Frame() const;
  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void enterEvent(QEnterEvent* event) override;
  void leaveEvent(QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  // ButtonActions.
  void TakeFocus() override;
  void PlaySound(int soundId) override;
  void Repaint() override;
  int TrackMenu() override;
  void PostCommand(int command) override;
  void OpenAddress(const std::string& address) override;

  void RedrawArtForScale();
  void AnnounceChecked();

  ImageButtonLogic logic_;
  // Art drawn by id is drawn again when the button moves to a screen of another scale.
  int normalId_ = 0;
  int hoverId_ = 0;
  QColor normalKey_;
  QColor hoverKey_;
  int artScale_ = 0;
  QPixmap normal_;
  QPixmap hover_;
  ButtonColours colours_;
  bool flat_ = true;
  bool hoverFrame_ = true;
  bool hovered_ = false;
  bool tooltipMade_ = false;
  bool tooltipActive_ = false;
  QString tooltip_;
  QPointer<QMenu> menu_;
  std::function<void(int)> notify_;
  platform::Shell* shell_ = nullptr;
  platform::Sound* sound_ = nullptr;
};

}  // namespace orvinta::buttons
