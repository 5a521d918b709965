#pragma once
// What an image button does when clicked and how it frames itself, apart
// from the widget that draws it.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvinta::buttons {

// The longest web address a button keeps, in characters.
inline constexpr std::size_t kMaxWebAddress = 259;

// Only http and https addresses, of at most 259 characters, without control
// characters or spaces, are ever opened.
bool IsOpenableAddress(std::string_view address);

// The frame drawn around the bitmap.
enum class ButtonFrame { None, Hover, Raised };
// Raised when not flat; a flat button frames itself only while pointed at
// and while its hover frame is on.
ButtonFrame FrameFor(bool flat, bool hoverFrame, bool hovered);

// What a click reaches, in the widget or a fake.
class ButtonActions {
 public:
  virtual ~ButtonActions() = default;
  virtual void TakeFocus() = 0;
  virtual void PlaySound(int soundId) = 0;
  virtual void Repaint() = 0;
  // Shows the attached menu under the button; the chosen command, 0 for none.
  virtual int TrackMenu() = 0;
  // Posts the command to the window the menu notifies; delivered later.
  virtual void PostCommand(int command) = 0;
  virtual void OpenAddress(const std::string& address) = 0;
};

class ImageButtonLogic {
 public:
  void SetCheckBox(bool on) { checkBox_ = on; }
  bool IsCheckBox() const { return checkBox_; }
  bool IsChecked() const { return checked_; }
  void SetChecked(bool checked) { checked_ = checked; }
  void SetSound(int soundId) { soundId_ = soundId; }  // 0: silent
  void SetHasMenu(bool hasMenu) { hasMenu_ = hasMenu; }
  // False, and the address is dropped, when it may not be opened.
  bool SetWebAddress(std::string_view address);
  const std::string& WebAddress() const { return address_; }
  bool IsPressed() const { return pressed_; }

  // Focus, sound, then one of: toggle, menu, address.
  void OnClick(ButtonActions& actions);

 private:
  bool checkBox_ = false;
  bool checked_ = false;
  bool hasMenu_ = false;
  bool pressed_ = false;
  int soundId_ = 0;
  std::string address_;
};

}  // namespace orvinta::buttons
