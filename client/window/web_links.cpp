#include "client/window/web_links.h"

#include <algorithm>
#include <array>

#include "client/window/text_filters.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::array<std::string_view, 2> kSchemes = {"https://", "http://"};
// Entities that stand for characters an address never holds: the escaped
// brackets and quotes, and numeric ones, which could stand for anything.
constexpr std::array<std::string_view, 4> kStopEntities = {"&lt;", "&gt;", "&quot;", "&#"};
constexpr std::string_view kSentencePunctuation = ".,;:!?*";
// The link keeps the line's own colour and size, underlined so it is seen.
constexpr std::string_view kLinkStyle = "color:inherit;font-size:inherit;text-decoration:underline";

bool IsAlnum(char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

bool IsAddressByte(char c) {
  constexpr std::string_view kMarks = "-._~:/?#[]@!$&()*+,;=%";
  return IsAlnum(c) || kMarks.find(c) != std::string_view::npos;
}

bool StopsAt(std::string_view text, std::size_t i) {
  if (!IsAddressByte(text[i])) return true;
  if (text[i] != '&') return false;
  const std::string_view rest = text.substr(i);
  return std::any_of(kStopEntities.begin(), kStopEntities.end(),
                     [&](std::string_view entity) { return text::StartsWithIgnoreCase(rest, entity); });
}

// A closing bracket belongs to the address only when it closes one opened in it.
bool IsUnmatchedClose(std::string_view address, char close, char open) {
  return address.back() == close && std::count(address.begin(), address.end(), open) <
                                        std::count(address.begin(), address.end(), close);
}

std::size_t TrimTrailing(std::string_view address) {
  while (!address.empty()) {
    const char last = address.back();
    const bool drop = kSentencePunctuation.find(last) != std::string_view::npos ||
                      IsUnmatchedClose(address, ')', '(') || IsUnmatchedClose(address, ']', '[');
    if (!drop) break;
    address.remove_suffix(1);
  }
  return address.size();
}

}  // namespace

std::string LinkHtml(std::string_view address) {
  // The text shows "&amp;" as "&": the link goes where the text says.
  const std::string target = EscapeHtml(ReplaceAll(address, "&amp;", "&"));
  std::string html = "<A HREF='" + target + "' STYLE='";
  html.append(kLinkStyle).append("'>").append(address).append("</A>");
  return html;
}

std::size_t WebAddressLength(std::string_view text, std::size_t at) {
  const std::string_view rest = text.substr(std::min(at, text.size()));
  for (std::string_view scheme : kSchemes) {
    if (!text::StartsWithIgnoreCase(rest, scheme)) continue;
    std::size_t end = scheme.size();
    // A host begins with a letter, a digit or an IPv6 bracket.
    if (end >= rest.size() || !(IsAlnum(rest[end]) || rest[end] == '[')) return 0;
    while (end < rest.size() && !StopsAt(rest, end)) ++end;
    const std::size_t length = TrimTrailing(rest.substr(0, end));
    return length > scheme.size() && length <= kMaxLinkAddress ? length : 0;
  }
  return 0;
}

std::string LinkWebAddresses(std::string_view body) {
  std::string out;
  out.reserve(body.size());
  for (std::size_t i = 0; i < body.size();) {
    const unsigned char c = static_cast<unsigned char>(body[i]);
    if (c == '<') {  // one of the renderer's own tags: its address is not text
      const std::size_t close = body.find('>', i);
      const std::size_t end = close == std::string_view::npos ? body.size() : close + 1;
      out.append(body.substr(i, end - i));
      i = end;
    } else if (text::IsLeadByte(c) && i + 1 < body.size()) {  // a trail byte may look like an "h"
      out.append(body.substr(i, 2));
      i += 2;
    } else if (const std::size_t length = (c == 'h' || c == 'H') ? WebAddressLength(body, i) : 0) {
      out += LinkHtml(body.substr(i, length));
      i += length;
    } else {
      out.push_back(static_cast<char>(c));
      ++i;
    }
  }
  return out;
}

}  // namespace orvinta::window
