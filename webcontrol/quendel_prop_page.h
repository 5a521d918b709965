#pragma once
// The control's (empty) property page: a 230 by 46 dialog-unit page with the
// caption "일반" and no fields to exchange.
#include <string_view>

namespace orvinta::quendel {

struct CQuendelPropPage {
  static constexpr int kDialogResource = 200;
  static constexpr int kWidthDialogUnits = 230;
  static constexpr int kHeightDialogUnits = 46;
  static constexpr int kCaptionResource = 200;
  static std::string_view Caption() { return "일반"; }
};

}  // namespace orvinta::quendel
