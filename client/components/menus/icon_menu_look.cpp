#include "client/components/menus/icon_menu_look.h"

#include "text/text_util.h"

namespace orvinta::components {

int PlatformCode(const platform::OsVersion& os) {
  using platform::OsFamily;
  if (os.family == OsFamily::Win9x) {
    if (os.major < 4) return 0;
    if (os.major == 4 && os.minor == 10) return 3;
    if (os.major == 4 && os.minor == 90) return 4;
    return 2;
  }
  if (os.family == OsFamily::WinNT) {
    if (os.major == 4) return 5;
    if (os.major == 5 && os.minor == 0) return 6;
    if (os.major == 5 && os.minor == 1) return 7;
  }
  return 1;
}

MenuLook ChooseMenuLook(const MenuPlatform& platform) {
  const bool flat = platform.platformCode == kThemedDesktopCode && !platform.classicTheme && !platform.paletteDisplay;
  return flat ? MenuLook::Flat : MenuLook::Raised;
}

bool IsClassicThemeFile(std::string_view themeFile) {
  constexpr std::string_view kClassic = "Windows Classic.theme";
  return themeFile.size() >= kClassic.size() &&
         text::EqualsIgnoreCase(themeFile.substr(themeFile.size() - kClassic.size()), kClassic);
}

std::uint32_t Lighten(std::uint32_t colour, double f) {
  if (!(f > 0.0 && f <= 1.0)) return colour;
  std::uint32_t out = colour & 0xFF000000u;
  for (int shift = 0; shift <= 16; shift += 8) {
    const unsigned channel = (colour >> shift) & 0xFF;
    const auto lightened = static_cast<unsigned>(channel + f * (255 - channel));
    out |= (lightened > 255 ? 255u : lightened) << shift;
  }
  return out;
}

}  // namespace orvinta::components
