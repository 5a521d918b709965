#pragma once
// Conversions between the system's code page 949 bytes and the UTF-8 of the
// desktop, done only at the edges (views, launch text, file names).
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::platform {

// nullopt when the bytes are not valid in the source encoding.
std::optional<std::string> Utf8ToCp949(std::string_view utf8);
std::optional<std::string> Cp949ToUtf8(std::string_view cp949);

// For text that must be shown whatever it holds: invalid bytes become U+FFFD.
std::string Cp949ToUtf8Lossy(std::string_view cp949);

// Valid UTF-8 converted character by character: a character code page 949
// cannot hold becomes "?". nullopt when the bytes are not valid UTF-8.
std::optional<std::string> Utf8ToCp949Lossy(std::string_view utf8);

// Valid UTF-8 converted as a chat line carries it: a character code page 949
// cannot hold becomes its numeric character reference ("&#128512;"), which
// every view of a line shows as the character. nullopt when not valid UTF-8.
std::optional<std::string> Utf8ToCp949WithReferences(std::string_view utf8);

// Text as a view shows it: code page 949 bytes in which a character the code
// page cannot hold stands as kWideMark, its number in decimal and ";". Made
// only from decoded references; the bytes stored or sent never hold it.
inline constexpr char kWideMark = '\x1B';
// Appends one character: its code page 949 bytes when it has them, else its mark.
void AppendDisplayCharacter(std::string& out, char32_t point);
// The bytes of the mark at the front of `text`, 0 when none is there.
std::size_t WideMarkLength(std::string_view text);
// Display text as UTF-8 for the screen; invalid bytes become U+FFFD.
std::string DisplayToUtf8(std::string_view display);
// What a user typed into a find bar, as display text, so that it matches
// what the view shows.
std::string Utf8ToDisplay(std::string_view utf8);

// Launch text and file names: valid UTF-8 is converted (see Utf8ToCp949Lossy);
// anything else is taken to be code page 949 already.
std::string FromLocalText(std::string_view bytes);

}  // namespace orvinta::platform
