#include "client/window/saving/default_file_name.h"

#include <cstring>

namespace orvinta::saving {
namespace {

constexpr std::string_view kForbidden = "\\/:*?\"<>|";

bool IsLead(unsigned char b) { return b >= 0x81 && b <= 0xFE; }
bool IsTrail(unsigned char b) { return (b >= 0x41 && b <= 0x5A) || (b >= 0x61 && b <= 0x7A) || (b >= 0x81 && b <= 0xFE); }

// Bytes of the code page 949 character at the front: 2 for a double-byte
// character, 1 for a single byte, 0 for a lead byte without its trail.
std::size_t CharLength(std::string_view text) {
  const auto lead = static_cast<unsigned char>(text.front());
  if (!IsLead(lead)) return 1;
  return text.size() >= 2 && IsTrail(static_cast<unsigned char>(text[1])) ? 2 : 0;
}

std::string CleanTitle(std::string_view title) {
  std::string out;
  while (!title.empty()) {
    if (title.substr(0, 3) == "1:1") {
      constexpr std::string_view kOneToOne = "1대1";
      if (out.size() + kOneToOne.size() > kMaxTitleBytes) break;
      out += kOneToOne;
      title.remove_prefix(3);
      continue;
    }
    const std::size_t length = CharLength(title);
    if (length == 0) {  // a broken character is no part of a name
      title.remove_prefix(1);
      continue;
    }
    const auto byte = static_cast<unsigned char>(title.front());
    const bool drop = length == 1 && (byte < 0x20 || byte == 0x7F || kForbidden.find(title.front()) != kForbidden.npos ||
                                      (byte == '.' && out.empty()));
    if (!drop) {
      if (out.size() + length > kMaxTitleBytes) break;
      out.append(title.substr(0, length));
    }
    title.remove_prefix(length);
  }
  return out;
}

}  // namespace

std::string DefaultSaveName(std::string_view title, const std::tm& localTime) {
  char minute[32] = {};
  if (std::strftime(minute, sizeof minute, "%Y%m%d%H%M", &localTime) == 0) minute[0] = '\0';
  return CleanTitle(title) + "(" + minute + ").htm";
}

}  // namespace orvinta::saving
