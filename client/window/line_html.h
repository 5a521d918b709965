#pragma once
// The HTML of each kind of line, made from the room's lines: the saved file
// and the read-back of a transcript are made with it.
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

// The table of one line.
std::string LineHtml(const TranscriptLine& line, const PortalConfig& portal);

// The room's transcript as the page's transcript element held it: every line
// followed by a line feed, then the empty end marker, as inserting each line
// in front of the marker left it. When older lines were dropped, a centred
// line before the first says so. The saved file is made of it.
std::string TranscriptHtml(const TranscriptLines& lines, const PortalConfig& portal);

}  // namespace orvinta::window
