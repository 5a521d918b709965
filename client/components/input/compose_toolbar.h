#pragma once
// The composing toolbar under the transcript: face and size, text and
// background colour, bold / italic / underline, emoticons, the transcript's
// commands (clear, shortcut settings, save) and send. It shows
// a room's settings without reporting them and reports what the user changes.
#include <QWidget>
#include <cstdint>

#include "client/compose/compose_tables.h"
#include "platform/window_host.h"

class QAbstractButton;
class QComboBox;

namespace orvinta::buttons {
class CImageButton;
}  // namespace orvinta::buttons

namespace orvinta::components {

class CColourPickerXP;
class SettingsStore;

class ComposeToolbar : public QWidget {
  Q_OBJECT
 public:
  static constexpr int kFaceComboId = 1013;
  static constexpr int kSizeComboId = 1014;
  static constexpr int kTextColourId = 1015;
  static constexpr int kBackColourId = 1018;
  static constexpr int kClearScreenId = 1058;
  static constexpr int kShortcutSettingsId = 1059;
  static constexpr int kSaveTranscriptId = 1060;
  // What the colour buttons' automatic choice means.
  static constexpr std::uint32_t kAutomaticTextColour = compose::kDefaultTextColour;
  static constexpr std::uint32_t kAutomaticBackColour = compose::kDefaultBackColour;

  explicit ComposeToolbar(QWidget* parent = nullptr);

  void ShowState(const platform::ToolbarState& state);
  platform::ToolbarState State() const;
  // Where both colour pickers keep the custom colours of "More Colors...".
  void SetColourStore(SettingsStore* store);

 signals:
  void faceChosen(int faceCode);
  void sizeChosen(int points);
  void colourDroppedDown(int controlId);                    // the window repaints below
  void colourChosen(std::uint32_t colour, int controlId);  // automatic already resolved
  void styleChanged(int styleBits);
  void emoticonChosen(int index);  // -1 when the picker closed without a choice
  void sendClicked();
  void clearScreenClicked();
  void shortcutSettingsClicked();  // opens the settings dialog
  void saveTranscriptClicked();    // saves the shown room's transcript

 private:
  CColourPickerXP* AddColourButton(int controlId, const QString& name, const QString& tip, std::uint32_t automatic);
  QAbstractButton* AddImageButton(int controlId, void (ComposeToolbar::*clicked)());
  buttons::CImageButton* AddStyleButton(int controlId);
  void ReportStyle();
  void OpenEmoticonPicker();

  QComboBox* face_;
  QComboBox* size_;
  CColourPickerXP* textColour_;
  CColourPickerXP* backColour_;
  buttons::CImageButton* bold_;
  buttons::CImageButton* italic_;
  buttons::CImageButton* underline_;
  buttons::CImageButton* emoticon_;
  QAbstractButton* clearScreen_;
  QAbstractButton* shortcutSettings_;
  QAbstractButton* saveTranscript_;
  buttons::CImageButton* send_;
};

}  // namespace orvinta::components
