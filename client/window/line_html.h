#pragma once
// The HTML the transcript shows for each kind of line, made from the room's
// lines: the page is fed with it, and the saved file and the read-back of a
// transcript are made with it, so the same lines always give the same HTML.
#include <optional>
#include <string>
#include <string_view>

#include "client/compose/chat_line.h"
#include "client/window/portal_config.h"
#include "client/window/transcript_lines.h"

namespace orvinta::window {

// A received or sent chat line as a transcript line; nullopt when its nick
// or its text (after filtering) is empty.
std::optional<TranscriptLine> ChatLineFrom(const compose::ChatLine& line, const PortalConfig& portal);

// The table of one line, as the transcript holds it.
std::string LineHtml(const TranscriptLine& line, const PortalConfig& portal);
// The same, as the page shows it: a mention carries the page's tint class.
std::string PageLineHtml(const TranscriptLine& line, const PortalConfig& portal);

// The inner HTML of the transcript element: every line followed by a line
// feed, then the empty end marker, as inserting each line in front of the
// marker leaves it.
std::string TranscriptHtml(const TranscriptLines& lines, const PortalConfig& portal);

// Single lines as HTML (the forms above, for callers that need only one).
std::optional<std::string> RenderChatLine(const compose::ChatLine& line, const PortalConfig& portal);
std::string RenderInfoLine(std::string_view text);
std::string_view WelcomeBannerHtml();
std::string_view ClearedNoticeHtml();
std::string_view ClearedWarningHtml();

}  // namespace orvinta::window
