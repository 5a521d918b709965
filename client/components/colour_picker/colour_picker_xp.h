#pragma once
// A push button that shows a colour and drops down the palette when clicked.
// Every step is reported with the colour and the button's control id:
// dropDown (0x7EA), selChange (0x7E9), closeUp (0x7EB), then exactly one of
// selEndOk (0x7EC) or selEndCancel (0x7ED) per drop-down. Colours are
// 0x00BBGGRR; kAutomaticColour is the "Automatic" choice.
#include <QPointer>
#include <QPushButton>
#include <cstdint>
#include <string>

#include "client/components/colour_picker/colour_picker_state.h"
#include "client/components/colour_picker/settings_store.h"

namespace orvinta::components {

class ColourPopup;

class CColourPickerXP final : public QPushButton {
  Q_OBJECT
 public:
  explicit CColourPickerXP(int controlId = 0, QWidget* parent = nullptr);
  ~CColourPickerXP() override;

  int ControlId() const { return controlId_; }
  std::uint32_t GetColor() const { return state_.Colour(); }
  void SetColor(std::uint32_t colour);  // shows it; nothing is reported
  std::uint32_t GetDefaultColor() const { return state_.DefaultColour(); }
  void SetDefaultColor(std::uint32_t colour);
  // Texts of the two rows, code page 949 bytes; an empty text drops its row.
  void SetDefaultText(const std::string& text) { state_.SetDefaultText(text); }
  void SetCustomText(const std::string& text) { state_.SetCustomText(text); }
  void SetTrackSelection(bool track) { state_.SetTrackSelection(track); }
  bool GetTrackSelection() const { return state_.TrackSelection(); }
  // Where "More Colors..." keeps its 16 custom colours; without a store they are not kept.
  void SetRegSection(const std::string& section) { state_.SetSection(section); }
  void SetSettingsStore(SettingsStore* store) { store_ = store; }
  bool IsDroppedDown() const { return state_.Active(); }

  // Opens the palette below the button, as a click does.
  void DropDown();

  QSize sizeHint() const override { return QSize(36, 22); }

 signals:
  void selChange(std::uint32_t colour, int controlId);
  void dropDown(std::uint32_t colour, int controlId);
  void closeUp(std::uint32_t colour, int controlId);
  void selEndOk(std::uint32_t colour, int controlId);
  void selEndCancel(std::uint32_t colour, int controlId);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  void Notify(PickerNotice notice, std::uint32_t colour);
  void ShowColourToReaders();
  void ChooseMoreColours();

  int controlId_;
  ColourPickerState state_;
  SettingsStore* store_ = nullptr;
  QPointer<ColourPopup> popup_;
};

}  // namespace orvinta::components
