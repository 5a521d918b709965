#pragma once
// The colour button's state through one drop-down: what it shows, the colour
// from before the palette opened, and the notices its owner gets, in order,
// with exactly one end notice (accepted or cancelled) per drop-down.
#include <cstdint>
#include <functional>
#include <string>

namespace orvinta::components {

// The automatic choice; the owner decides which colour it stands for.
inline constexpr std::uint32_t kAutomaticColour = 0xFF000000;

// Notices to the owner; the colour travels with each.
enum class PickerNotice : int {
  SelectionChanged = 0x7E9,  // 2025
  DroppedDown = 0x7EA,       // 2026
  ClosedUp = 0x7EB,          // 2027
  Accepted = 0x7EC,          // 2028
  Cancelled = 0x7ED,         // 2029
};

class ColourPickerState {
 public:
  using Notify = std::function<void(PickerNotice, std::uint32_t colour)>;
  explicit ColourPickerState(Notify notify) : notify_(std::move(notify)) {}

  std::uint32_t Colour() const { return colour_; }
  void SetColour(std::uint32_t colour) { colour_ = colour; }  // by program: no notice
  std::uint32_t DefaultColour() const { return defaultColour_; }
  void SetDefaultColour(std::uint32_t colour) { defaultColour_ = colour; }
  const std::string& DefaultText() const { return defaultText_; }
  void SetDefaultText(std::string text) { defaultText_ = std::move(text); }
  const std::string& CustomText() const { return customText_; }
  void SetCustomText(std::string text) { customText_ = std::move(text); }
  bool TrackSelection() const { return track_; }
  void SetTrackSelection(bool track) { track_ = track; }
  const std::string& Section() const { return section_; }
  void SetSection(std::string section) { section_ = std::move(section); }

  bool Active() const { return active_; }
  std::uint32_t ColourBefore() const { return before_; }

  // The palette is about to open: false (and nothing sent) while it is open already.
  bool DropDown();
  // The pointer rests on a swatch while tracking: shown at once and reported.
  void Track(std::uint32_t colour);
  // The drop-down ends; calls after the first end change nothing.
  void Accept(std::uint32_t colour);
  void Cancel();

 private:
  Notify notify_;
  std::uint32_t colour_ = kAutomaticColour;
  std::uint32_t defaultColour_ = kAutomaticColour;
  std::string defaultText_ = "Automatic";
  std::string customText_ = "More Colors...";
  bool track_ = true;
  std::string section_ = "RGB";
  bool active_ = false;
  std::uint32_t before_ = kAutomaticColour;
};

}  // namespace orvinta::components
