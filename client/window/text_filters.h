#pragma once
// Filters for text shown in the pages: colour codes, control bytes, HTML
// escaping and the words a chat line may not carry.
#include <cstddef>
#include <string>
#include <string_view>

namespace orvinta::window {

// Removes the colour codes that byte 0x03 introduces ("\x03" fg[,bg]).
std::string StripMessageOfColorCodes(std::string_view text);

// Colour codes, the bytes 0x02, 0x03, 0x0F, 0x16 and apostrophes removed.
std::string SanitizeText(std::string_view text);

// Received text made visible text in a page: & < > " ' become entities.
std::string EscapeHtml(std::string_view text);

// Every occurrence of `from` replaced, left to right, not rescanning the replacement.
std::string ReplaceAll(std::string_view text, std::string_view from, std::string_view to);

// One left-to-right pass removing `word` in any letter case; matches start
// only on character boundaries of code page 949 text.
std::string RemoveWordIgnoreCase(std::string_view text, std::string_view word);

// The chat line's "%%" convention without reading the text as a format: every
// "%%" becomes "%", every other byte stays as it is.
std::string CollapseDoublePercent(std::string_view text);

}  // namespace orvinta::window
