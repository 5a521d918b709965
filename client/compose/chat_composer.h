#pragma once
// The text work of the send button: from the typed text and the room's
// composing settings to the chat line that is sent and shown. Deciding
// whether to send (connection, waiting room) is the caller's.
#include <cstdint>
#include <string>
#include <string_view>

#include "client/compose/chat_line.h"
#include "client/compose/compose_tables.h"

namespace orvinta::compose {

// A room's composing settings; colours are 0x00BBGGRR.
struct ComposeSettings {
  int face = kDefaultFace;
  int style = 0;
  int size = kDefaultSize;
  std::uint32_t textColour = kDefaultTextColour;
  std::uint32_t backColour = kDefaultBackColour;
};

// What the user's configuration and launch add to every line.
struct SenderContext {
  std::string_view header;
  std::string_view footer;
  std::string_view iconNo;
  std::string_view nick;
};

// An escaped text longer than this is cut to kCutChatTextBytes.
inline constexpr std::size_t kMaxChatTextBytes = 400;
inline constexpr std::size_t kCutChatTextBytes = 399;

struct ComposedLine {
  ChatLine line;
  bool cut = false;  // some of the text had to stay behind
};

// The typed text with white space trimmed at both ends; empty means nothing is sent.
std::string_view TypedText(std::string_view inputText);

// The line for a non-empty trimmed text. Its text is header + " " + typed +
// " " + footer with "%" -> "%%", "<" -> "&lt;", ">" -> "&gt;", byte 0x04
// dropped, "\n" -> "<BR>" and "|" -> "%%7C". It is cut, never inside a
// double-byte character or an escape, to 399 bytes when it is longer than
// 400 (counting "|" as one byte), and so that the whole line takes at most
// `maxWireBytes`.
ComposedLine ComposeChatLine(std::string_view typedText, const ComposeSettings& settings,
                             const SenderContext& sender, std::size_t maxWireBytes);

}  // namespace orvinta::compose
