#pragma once
// The HTML the transcript shows for a chat line and for system lines.
#include <optional>
#include <string>
#include <string_view>

#include "client/compose/chat_line.h"
#include "client/window/portal_config.h"

namespace orvinta::window {

// The transcript table of one line; nullopt when nick or text is empty.
std::optional<std::string> RenderChatLine(const compose::ChatLine& line, const PortalConfig& portal);

// The centred system line; `text` is program markup with received parts escaped.
std::string RenderInfoLine(std::string_view text);

// The welcome banner of a new room and the two lines after clearing the screen.
std::string_view WelcomeBannerHtml();
std::string_view ClearedNoticeHtml();
std::string_view ClearedWarningHtml();

}  // namespace orvinta::window
