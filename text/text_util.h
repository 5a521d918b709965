#pragma once
// Byte-string helpers for code page 949 text. Case mapping touches only ASCII
// letters that stand as characters of their own, never the trail byte of a
// double-byte character.
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvinta::text {

inline constexpr std::string_view kWhiteSpace = " \t\n\v\f\r";

std::string_view Trim(std::string_view s, std::string_view chars = kWhiteSpace);
std::string_view TrimLeft(std::string_view s, std::string_view chars = kWhiteSpace);
std::string_view TrimRight(std::string_view s, std::string_view chars = kWhiteSpace);

std::string ToLower(std::string_view s);
std::string ToUpper(std::string_view s);
bool EqualsIgnoreCase(std::string_view a, std::string_view b);
bool StartsWithIgnoreCase(std::string_view s, std::string_view prefix);

// True for a lead byte of a double-byte code page 949 character.
constexpr bool IsLeadByte(unsigned char c) { return c >= 0x81 && c <= 0xFE; }

// Splits at every separator; "a//b" gives three fields and "" gives one.
std::vector<std::string_view> Split(std::string_view s, char separator);

// At most `count` fields: the last one keeps the rest of the text, separators
// included; missing fields are empty.
std::vector<std::string_view> SplitFields(std::string_view s, char separator, std::size_t count);

// At most `maxBytes` bytes from the front, never ending inside a double-byte character.
std::string_view LeftBytes(std::string_view s, std::size_t maxBytes);

// Removes every byte that appears in `chars`.
std::string RemoveChars(std::string_view s, std::string_view chars);

// Fills "%s" and "%d" placeholders of a fixed template in order with the given
// texts, and turns "%%" into "%". The arguments are copied as they are: they
// are never read as a format themselves.
std::string FormatText(std::string_view templ, std::initializer_list<std::string_view> args);

// One code point as UTF-8 (1 to 4 bytes).
void AppendUtf8(std::string& out, char32_t c);

// The leading decimal integer of a text ("12ab" -> 12, "x" -> 0), as atoi reads it.
long ParseLeadingInt(std::string_view s);

}  // namespace orvinta::text
