#include "client/window/member.h"

#include "client/window/icon_url.h"
#include "client/window/text_filters.h"
#include "text/text_util.h"

namespace orvinta::window {

const std::array<StatusEntry, kStatusCount> kStatuses = {{
    {0, "온라인", 32786},
    {1, "멀티대화중", 32787},
    {2, "잠수중", 32788},
    {3, "자리비움", 32789},
    {4, "다른용무중", 32790},
    {5, "통화중", 32791},
    {6, "식사중", 32792},
}};

std::optional<int> StatusForMenuCommand(int command) {
  for (const StatusEntry& entry : kStatuses) {
    if (entry.menuCommand == command) return entry.status;
  }
  return std::nullopt;
}

std::string MemberLabel(const Member& member) {
  return member.nick + "(" + std::string(text::TrimLeft(member.id, "_")) + ")";
}

platform::MemberRow MemberRowOf(const Member& member) {
  return {.id = member.id, .label = MemberLabel(member), .iconAddress = member.iconAddress, .status = member.status};
}

namespace {

std::string DetailHtml(const std::string& iconAddress, std::string_view nick) {
  return "<NOBR><IMG ALIGN=ABSMIDDLE WIDTH=13 HEIGHT=13 SRC=" + iconAddress + "> " + EscapeHtml(nick) +
         "</NOBR>&nbsp;&nbsp;";
}

}  // namespace

std::string RenderDetailEntry(const Member& member) { return DetailHtml(member.iconAddress, member.nick); }

std::string RenderDetailEntry(std::string_view entry, const PortalConfig& portal) {
  // Two fields the list does not show, the nick, the icon number; a "|" inside
  // the nick stays with the nick.
  const auto head = text::SplitFields(entry, '|', 3);
  const std::string_view rest = head[2];
  const auto lastBar = rest.rfind('|');
  const std::string_view nick = lastBar == std::string_view::npos ? rest : rest.substr(0, lastBar);
  const std::string_view icon = lastBar == std::string_view::npos ? std::string_view{} : rest.substr(lastBar + 1);
  return DetailHtml(IconUrl(portal, ParseIconNumber(icon), true), nick);
}

}  // namespace orvinta::window
