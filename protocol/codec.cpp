#include "protocol/codec.h"

#include <cstdint>

#include "protocol/encoding_table.h"

namespace orvinta::protocol {
namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

std::uint8_t Mask(std::size_t index, std::size_t length) {
  const auto d = static_cast<std::uint8_t>((2 * length) % 256);
  return static_cast<std::uint8_t>(K[(index + 1) % kEncodingTableSize] ^ d);
}

}  // namespace

std::string FormatLength(std::size_t length) {
  if (length > kMaxBodySize) return {};
  std::string digits(kLengthSize, '0');
  for (std::size_t i = kLengthSize; i-- > 0; length /= 10) {
    digits[i] = static_cast<char>('0' + length % 10);
  }
  return digits;
}

std::string Encode(std::string_view body) {
  if (body.empty()) return {};
  std::string out;
  out.resize(2 * body.size() + 2);
  const auto d = static_cast<std::uint8_t>((2 * body.size()) % 256);
  char* hex = out.data();
  unsigned sum = 0;
  std::size_t k = 1;  // (i + 1) mod 255, kept without a division per byte
  for (const char c : body) {
    const auto e = static_cast<std::uint8_t>(static_cast<std::uint8_t>(c) ^ K[k] ^ d);
    *hex++ = kHexDigits[e >> 4];
    *hex++ = kHexDigits[e & 0x0F];
    sum += e;
    if (++k == kEncodingTableSize) k = 0;
  }
  hex[0] = kHexDigits[(sum >> 4) & 0x0F];
  hex[1] = kHexDigits[sum & 0x0F];
  return out;
}

std::optional<std::string> Decode(std::string_view encoded) {
  if (encoded.empty()) return std::string{};
  // A non-empty body encodes to at least one byte and the checksum.
  if (encoded.size() < 4 || encoded.size() % 2 != 0) return std::nullopt;
  const std::size_t length = encoded.size() / 2 - 1;
  std::string body(length, '\0');
  unsigned sum = 0;
  for (std::size_t i = 0; i <= length; ++i) {
    const int high = HexValue(encoded[2 * i]);
    const int low = HexValue(encoded[2 * i + 1]);
    if (high < 0 || low < 0) return std::nullopt;
    const auto e = static_cast<std::uint8_t>(high << 4 | low);
    if (i == length) {
      if (e != sum % 256) return std::nullopt;
      break;
    }
    sum += e;
    body[i] = static_cast<char>(e ^ Mask(i, length));
  }
  return body;
}

std::string MakeFrame(std::string_view command, std::string_view body) {
  const std::string length = FormatLength(body.size());
  if (length.empty() || command.size() != kCommandSize) return {};
  std::string frame;
  frame.reserve(kHeaderSize + body.size());
  frame.append(command).append(length).append(body);
  return frame;
}

std::string MakeMessage(std::string_view command, std::string_view body) {
  std::string message(command.substr(0, kCommandSize));
  message.resize(kCommandSize, ' ');
  const std::string length = FormatLength(body.size());
  message.append(length.empty() ? std::string(kLengthSize, '9') : length);
  message.append(body);
  return message;
}

std::string EncodeMessage(std::string_view message) {
  const std::string_view command = message.substr(0, kCommandSize);
  const std::string_view body = message.size() > kHeaderSize ? message.substr(kHeaderSize) : std::string_view{};
  return MakeFrame(command, Encode(body));
}

std::size_t ParseLengthField(std::string_view field) {
  std::size_t value = 0;
  for (char c : field.substr(0, kLengthSize)) {
    if (c < '0' || c > '9') break;
    value = value * 10 + static_cast<std::size_t>(c - '0');
  }
  return value;
}

bool IsWellFormedHeader(std::string_view header) {
  if (header.size() < kHeaderSize) return false;
  for (std::size_t i = 0; i < kCommandSize; ++i) {
    if (header[i] < 'A' || header[i] > 'Z') return false;
  }
  for (std::size_t i = kCommandSize; i < kHeaderSize; ++i) {
    if (header[i] < '0' || header[i] > '9') return false;
  }
  return true;
}

}  // namespace orvinta::protocol
