#pragma once
// The frame: four command letters, four decimal length digits, the body.
// Bodies going to the server are scrambled with Encode; bodies coming from it
// are plain code page 949 text.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::protocol {

inline constexpr std::size_t kCommandSize = 4;
inline constexpr std::size_t kLengthSize = 4;
inline constexpr std::size_t kHeaderSize = kCommandSize + kLengthSize;
inline constexpr std::size_t kMaxBodySize = 9999;  // four length digits
// The largest plain body whose encoding (2n + 2 characters) still fits.
inline constexpr std::size_t kMaxPlainBodySize = (kMaxBodySize - 2) / 2;

// "%04d" of a length; lengths above 9999 cannot be framed and give "".
std::string FormatLength(std::size_t length);

// The scrambler of outgoing bodies: 2n hex digits of the scrambled bytes and
// two of their sum. An empty body stays empty.
std::string Encode(std::string_view body);

// The server's inverse of Encode. Empty input decodes to an empty body;
// anything that is not an even run of hex digits with a matching checksum
// gives nullopt.
std::optional<std::string> Decode(std::string_view encoded);

// command + "%04d" length + body, with no encoding (what the server sends and
// what Send puts on the wire after encoding). Empty when the body is too long.
std::string MakeFrame(std::string_view command, std::string_view body);

// The message form that callers hand to Send: command, four placeholder bytes
// carrying the plain length, then the plain body.
std::string MakeMessage(std::string_view command, std::string_view body);

// The whole frame Send writes for a message of that form.
std::string EncodeMessage(std::string_view message);

// Leading decimal digits of the four length bytes; none give 0.
std::size_t ParseLengthField(std::string_view field);

// True when the header is four upper-case letters and four decimal digits.
bool IsWellFormedHeader(std::string_view header);

}  // namespace orvinta::protocol
