#pragma once
// Which of the two menu looks to draw, and the colour arithmetic of the flat
// look. Plain C++: the choice is the platform classification's, the host
// only reports its terms.
#include <cstdint>
#include <string_view>

#include "platform/platform_info.h"

namespace orvinta::components {

enum class MenuLook { Flat, Raised };

// 0 9x before 4, 1 other NT or unknown, 2 Windows 95, 3 Windows 98, 4 Windows Me,
// 5 NT 4, 6 Windows 2000, 7 Windows XP.
int PlatformCode(const platform::OsVersion& os);
inline constexpr int kThemedDesktopCode = 7;

struct MenuPlatform {
  int platformCode = 1;
  bool classicTheme = false;    // the user chose the classic look
  bool paletteDisplay = false;  // the display has a colour palette (8 bits or fewer)
};

// Flat only on a themed desktop that is neither classic nor palette-based.
MenuLook ChooseMenuLook(const MenuPlatform& platform);

// True when the current theme's file name ends with "Windows Classic.theme", any case.
bool IsClassicThemeFile(std::string_view themeFile);

// Each channel of a 0x00BBGGRR colour moved toward 255 by f (truncated), 0 < f <= 1;
// any other f leaves the colour as it is.
std::uint32_t Lighten(std::uint32_t colour, double f);

inline constexpr double kSelectedLightening = 0.7;  // the selected item's fill
inline constexpr double kCheckedLightening = 0.85;  // a checked item's icon area

}  // namespace orvinta::components
