#include "client/components/colour_picker/colour_picker_state.h"

namespace orvinta::components {

bool ColourPickerState::DropDown() {
  if (active_) return false;
  active_ = true;
  before_ = colour_;
  notify_(PickerNotice::DroppedDown, colour_);
  return true;
}

void ColourPickerState::Track(std::uint32_t colour) {
  if (!active_ || !track_ || colour == colour_) return;
  colour_ = colour;
  notify_(PickerNotice::SelectionChanged, colour_);
}

void ColourPickerState::Accept(std::uint32_t colour) {
  if (!active_) return;
  active_ = false;
  colour_ = colour;
  notify_(PickerNotice::ClosedUp, colour_);
  notify_(PickerNotice::Accepted, colour_);
  if (colour_ != before_) notify_(PickerNotice::SelectionChanged, colour_);
}

void ColourPickerState::Cancel() {
  if (!active_) return;
  active_ = false;
  colour_ = before_;
  notify_(PickerNotice::ClosedUp, colour_);
  notify_(PickerNotice::Cancelled, colour_);
}

}  // namespace orvinta::components
