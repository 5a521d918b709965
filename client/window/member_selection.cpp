#include "client/window/member_selection.h"

#include <array>
#include <cctype>
#include <utility>

#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Longest reference handled ("&#x7F;", "&nbsp;", "&quot;" ...).
constexpr std::size_t kMaxEntity = 8;

std::optional<char> NamedEntity(std::string_view name) {
  static constexpr std::array<std::pair<std::string_view, char>, 6> kNamed = {{
      {"amp", '&'}, {"lt", '<'}, {"gt", '>'}, {"quot", '"'}, {"apos", '\''}, {"nbsp", ' '},
  }};
  for (const auto& [entity, c] : kNamed) {
    if (text::EqualsIgnoreCase(name, entity)) return c;
  }
  if (name.size() < 2 || name[0] != '#') return std::nullopt;
  const bool hex = name[1] == 'x' || name[1] == 'X';
  const std::string_view digits = name.substr(hex ? 2 : 1);
  if (digits.empty()) return std::nullopt;
  unsigned value = 0;
  for (const char c : digits) {
    const int d = std::isdigit(static_cast<unsigned char>(c)) ? c - '0'
                  : hex && std::isxdigit(static_cast<unsigned char>(c))
                      ? std::tolower(static_cast<unsigned char>(c)) - 'a' + 10
                      : -1;
    if (d < 0) return std::nullopt;
    value = value * (hex ? 16 : 10) + static_cast<unsigned>(d);
    if (value > 0x7F) return std::nullopt;  // beyond ASCII the page gives the character itself
  }
  if (value < 0x20) return std::nullopt;
  return static_cast<char>(value);
}

}  // namespace

std::string DecodeHtmlEntities(std::string_view html) {
  std::string out;
  out.reserve(html.size());
  for (std::size_t i = 0; i < html.size(); ++i) {
    if (html[i] == '&') {
      const std::size_t end = html.find(';', i + 1);
      if (end != std::string_view::npos && end - i - 1 <= kMaxEntity) {
        if (const auto c = NamedEntity(html.substr(i + 1, end - i - 1))) {
          out += *c;
          i = end;
          continue;
        }
      }
    }
    out += html[i];
  }
  return out;
}

std::optional<SelectedMember> ParseSelectedMember(std::string_view html) {
  if (html.empty()) return std::nullopt;
  SelectedMember member;
  const std::size_t open = html.rfind('(');
  if (open == std::string_view::npos) {
    member.nick = DecodeHtmlEntities(text::Trim(html));
    return member;
  }
  member.nick = DecodeHtmlEntities(text::Trim(html.substr(0, open)));
  // The page may leave blanks around the closing bracket.
  const std::string_view inside = text::TrimRight(html.substr(open + 1), ") \t\r\n");
  member.id = DecodeHtmlEntities(text::Trim(inside));
  // Ids that begin with a digit are kept with "_" in front in the room's list.
  if (!member.id.empty() && member.id.front() >= '0' && member.id.front() <= '9') {
    member.id = std::string("_") + member.id;
  }
  return member;
}

}  // namespace orvinta::window
