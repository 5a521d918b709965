#pragma once
// The eight-field chat line ("style|colour|size|face|background|icon|nick|text")
// and the HTML the transcript shows for it and for system lines.
#include <optional>
#include <string>
#include <string_view>

#include "client/window/portal_config.h"

namespace orvinta::window {

// A received line with every field checked: a field that is not what it
// must be takes the value a new room starts with.
struct ChatLine {
  std::string style;                 // letters; only "B", "I", "U" matter
  std::string textColour = "212121";  // six hex digits
  std::string size = "9";            // decimal points, 1-2 digits
  std::string face;                  // one of the four faces ("굴림" when unknown)
  std::string backColour = "FFFFFF";  // six hex digits
  long long icon = 0;
  std::string nick;  // "%7C" already turned into "|"; not escaped
  std::string text;  // "%7C" already turned into "|"; not escaped
};

// `wire` is the line as it travels, "%%" still doubled.
ChatLine ParseChatLine(std::string_view wire);

// The transcript table of one line; nullopt when nick or text is empty.
std::optional<std::string> RenderChatLine(const ChatLine& line, const PortalConfig& portal);

// The centred system line; `text` is program markup with received parts escaped.
std::string RenderInfoLine(std::string_view text);

// The welcome banner of a new room and the two lines after clearing the screen.
std::string_view WelcomeBannerHtml();
std::string_view ClearedNoticeHtml();
std::string_view ClearedWarningHtml();

// Six hexadecimal digits.
bool IsHexColour(std::string_view text);

}  // namespace orvinta::window
