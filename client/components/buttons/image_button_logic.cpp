#include "client/components/buttons/image_button_logic.h"

#include <algorithm>
#include <cctype>

namespace orvinta::buttons {
namespace {

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return text.size() >= prefix.size() &&
         std::equal(prefix.begin(), prefix.end(), text.begin(),
                    [](char lower, char c) { return std::tolower(static_cast<unsigned char>(c)) == lower; });
}

}  // namespace

bool IsOpenableAddress(std::string_view address) {
  if (address.empty() || address.size() > kMaxWebAddress) return false;
  std::string_view rest;
  if (StartsWithNoCase(address, "http://")) {
    rest = address.substr(7);
  } else if (StartsWithNoCase(address, "https://")) {
    rest = address.substr(8);
  } else {
    return false;
  }
  // A host must follow, and nothing a shell or browser could read as a second argument.
  if (rest.empty() || rest.front() == '/') return false;
  return std::none_of(address.begin(), address.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte <= 0x20 || byte == 0x7F;
  });
}

ButtonFrame FrameFor(bool flat, bool hoverFrame, bool hovered) {
  if (!flat) return ButtonFrame::Raised;
  return hoverFrame && hovered ? ButtonFrame::Hover : ButtonFrame::None;
}

bool ImageButtonLogic::SetWebAddress(std::string_view address) {
  if (!IsOpenableAddress(address)) {
    address_.clear();
    return false;
  }
  address_ = std::string(address);
  return true;
}

void ImageButtonLogic::OnClick(ButtonActions& actions) {
  actions.TakeFocus();
  if (soundId_ != 0) actions.PlaySound(soundId_);
  if (checkBox_) {
    checked_ = !checked_;
    actions.Repaint();
  } else if (hasMenu_) {
    pressed_ = true;
    const int command = actions.TrackMenu();
    pressed_ = false;
    actions.Repaint();
    if (command != 0) actions.PostCommand(command);
  } else if (!address_.empty()) {
    actions.OpenAddress(address_);
  }
}

}  // namespace orvinta::buttons
