#pragma once
// A button that shows a colour and lets the user choose another: a click
// opens the colour dialog; its menu also offers the automatic colour.
#include <QToolButton>
#include <cstdint>

namespace orvinta::components {

class ColourButton : public QToolButton {
  Q_OBJECT
 public:
  // The colour reported for the automatic choice; the owner decides what it means.
  static constexpr std::uint32_t kAutomatic = 0xFF000000;

  explicit ColourButton(QWidget* parent = nullptr);

  // 0x00BBGGRR; shows the colour without reporting it.
  void SetColour(std::uint32_t colour);
  std::uint32_t Colour() const { return colour_; }

  void OpenDialog();

 signals:
  void droppedDown();                          // the choice opens
  void colourAccepted(std::uint32_t colour);   // a colour, or kAutomatic
  void cancelled();                            // closed without a choice

 private:
  std::uint32_t colour_ = 0;
};

}  // namespace orvinta::components
