#pragma once
// The text work of the send button: from the typed text and the room's
// composing settings to the eight-field chat line that is sent and shown.
// Deciding whether to send (connection, waiting room) is the caller's.
#include <cstdint>
#include <string>
#include <string_view>

namespace orvinta::compose {

// A room's composing settings; colours are 0x00BBGGRR.
struct ComposeSettings {
  int face = 1;
  int style = 0;
  int size = 9;
  std::uint32_t textColour = 0x212121;
  std::uint32_t backColour = 0xFFFFFF;
};

// What the user's configuration and launch add to every line.
struct SenderContext {
  std::string_view header;
  std::string_view footer;
  std::string_view iconNo;
  std::string_view nick;
};

inline constexpr std::size_t kMaxChatTextBytes = 400;
inline constexpr std::size_t kCutChatTextBytes = 399;

// The typed text with white space trimmed at both ends; empty means nothing is sent.
std::string_view TypedText(std::string_view inputText);

// "%" -> "%%", "<" -> "&lt;", ">" -> "&gt;", byte 0x04 dropped, "\n" -> "<BR>".
std::string EscapeChatText(std::string_view text);

// An escaped text longer than 400 bytes is cut to at most 399, never inside a
// double-byte character and never between the two halves of a "%%".
std::string_view CutChatText(std::string_view escaped);

// "RRGGBB" of a 0x00BBGGRR colour.
std::string HexColour(std::uint32_t colorref);

// The chat line "style|colour|size|face|background|icon|nick|text" for a
// non-empty trimmed text, with "%" doubled and "|" sent as "%%7C".
std::string ComposeChatLine(std::string_view typedText, const ComposeSettings& settings, const SenderContext& sender);

}  // namespace orvinta::compose
