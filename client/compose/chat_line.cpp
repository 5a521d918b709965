#include "client/compose/chat_line.h"

#include <cstdlib>

#include "client/compose/compose_tables.h"
#include "text/text_util.h"

namespace orvinta::compose {
namespace {

constexpr char kSeparator = '|';
constexpr std::size_t kFieldCount = 8;
constexpr std::size_t kMaxSizeDigits = 2;
constexpr std::size_t kMaxIconDigits = 9;

bool IsDigits(std::string_view s, std::size_t maxDigits) {
  return !s.empty() && s.size() <= maxDigits && s.find_first_not_of("0123456789") == std::string_view::npos;
}

bool IsFontSize(std::string_view s) { return IsDigits(s, kMaxSizeDigits) && std::atoi(std::string(s).c_str()) > 0; }

bool IsFace(std::string_view s) {
  for (std::string_view face : FaceNames()) {
    if (s == face) return true;
  }
  return false;
}

// Replaces every `from` by `to`, left to right, without rescanning.
std::string Replace(std::string_view text, std::string_view from, std::string_view to) {
  std::string out;
  std::size_t start = 0;
  for (std::size_t pos; (pos = text.find(from, start)) != std::string_view::npos; start = pos + from.size()) {
    out.append(text.substr(start, pos - start)).append(to);
  }
  return out.append(text.substr(start));
}

}  // namespace

ChatLine::ChatLine()
    : textColour(HexColour(kDefaultTextColour)),
      size(std::to_string(kDefaultSize)),
      face(FaceName(kDefaultFace)),
      backColour(HexColour(kDefaultBackColour)),
      icon("0") {}

std::string ChatLine::Wire() const {
  std::string line;
  for (const std::string* field : {&style, &textColour, &size, &face, &backColour, &icon, &nick}) {
    line.append(*field).push_back(kSeparator);
  }
  return line.append(text);
}

bool IsHexColour(std::string_view text) {
  if (text.size() != 6) return false;
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) return false;
  }
  return true;
}

ChatLine ParseChatLine(std::string_view wire) {
  const auto f = text::SplitFields(wire, kSeparator, kFieldCount);
  ChatLine line;
  line.style = std::string(f[0]);
  if (IsHexColour(f[1])) line.textColour = std::string(f[1]);
  if (IsFontSize(f[2])) line.size = std::string(f[2]);
  if (IsFace(f[3])) line.face = std::string(f[3]);
  const std::string_view back = text::Trim(f[4]);
  if (IsHexColour(back)) line.backColour = std::string(back);
  if (IsDigits(f[5], kMaxIconDigits)) line.icon = std::string(f[5]);
  line.nick = std::string(f[6]);
  line.text = std::string(f[7]);
  return line;
}

std::string ShownField(std::string_view field) { return Replace(Replace(field, "%%", "%"), "%7C", "|"); }

std::vector<std::string_view> SplitAtLineBreaks(std::string_view text) {
  std::vector<std::string_view> pieces;
  std::size_t start = 0;
  // "<" is never the trail byte of a double-byte character: a plain scan is safe.
  for (std::size_t at = text.find('<'); at != std::string_view::npos; at = text.find('<', at + 1)) {
    if (!text::StartsWithIgnoreCase(text.substr(at), kLineBreakTag)) continue;
    pieces.push_back(text.substr(start, at - start));
    start = at + kLineBreakTag.size();
    at = start - 1;
  }
  pieces.push_back(text.substr(start));
  return pieces;
}

}  // namespace orvinta::compose
