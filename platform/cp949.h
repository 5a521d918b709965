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

// Launch text and file names: valid UTF-8 is converted (see Utf8ToCp949Lossy);
// anything else is taken to be code page 949 already.
std::string FromLocalText(std::string_view bytes);

}  // namespace orvinta::platform
