#include "client/shell/launch_link.h"

#include "text/text_util.h"

namespace orvinta::shell {
namespace {

constexpr std::string_view kUrlPrefix = "orvinta://";

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string DecodeLaunchLink(std::string_view text) {
  const std::string_view trimmed = text::Trim(text);
  if (!text::StartsWithIgnoreCase(trimmed, kUrlPrefix) || text.find('\n') != std::string_view::npos) {
    return std::string(text);
  }
  std::string decoded;
  decoded.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexValue(text[i + 2]) : -1;
    if (low >= 0) {
      decoded.push_back(static_cast<char>(high * 16 + low));
      i += 2;
    } else {
      decoded.push_back(text[i]);
    }
  }
  return decoded;
}

}  // namespace orvinta::shell
