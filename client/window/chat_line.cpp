#include "client/window/chat_line.h"

#include <array>
#include <cstdlib>

#include "client/window/emoticons.h"
#include "client/window/icon_url.h"
#include "client/window/text_filters.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::array<std::string_view, 4> kFaces = {"굴림", "바탕", "돋움", "궁서"};
constexpr std::string_view kTableOpen = "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed>";

bool IsFontSize(std::string_view s) {
  if (s.empty() || s.size() > 2) return false;
  for (char c : s) {
    if (c < '0' || c > '9') return false;
  }
  return std::atoi(std::string(s).c_str()) > 0;
}

bool IsFace(std::string_view s) {
  for (std::string_view face : kFaces) {
    if (s == face) return true;
  }
  return false;
}

// Two or three of the colour's bytes below 0x80.
bool IsDark(std::string_view hex) {
  const unsigned long value = std::strtoul(std::string(hex).c_str(), nullptr, 16);
  int low = 0;
  for (int shift = 0; shift <= 16; shift += 8) low += ((value >> shift) & 0xFF) < 0x80;
  return low >= 2;
}

struct StyleTag {
  char letter;
  std::string_view open, close;
};
constexpr std::array<StyleTag, 3> kStyleTags = {{{'B', "<B>", "</B>"}, {'I', "<I>", "</I>"}, {'U', "<U>", "</U>"}}};

}  // namespace

bool IsHexColour(std::string_view text) {
  if (text.size() != 6) return false;
  for (char c : text) {
    const bool hex = (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
    if (!hex) return false;
  }
  return true;
}

ChatLine ParseChatLine(std::string_view wire) {
  const std::string line = CollapseDoublePercent(wire);
  const auto f = text::SplitFields(line, '|', 8);
  ChatLine out;
  out.style = std::string(f[0]);
  if (IsHexColour(f[1])) out.textColour = std::string(f[1]);
  if (IsFontSize(f[2])) out.size = std::string(f[2]);
  out.face = IsFace(f[3]) ? std::string(f[3]) : std::string(kFaces[0]);
  const std::string_view back = text::Trim(f[4]);
  if (IsHexColour(back)) out.backColour = std::string(back);
  out.icon = ParseIconNumber(f[5]);
  out.nick = ReplaceAll(f[6], "%7C", "|");
  out.text = ReplaceAll(f[7], "%7C", "|");
  return out;
}

std::optional<std::string> RenderChatLine(const ChatLine& line, const PortalConfig& portal) {
  std::string body = ReplaceAll(ReplaceAll(line.text, "<", "&lt;"), ">", "&gt;");
  body = ReplaceEmoticons(body, portal.emoticonBase);
  body = RemoveWordIgnoreCase(RemoveWordIgnoreCase(body, "vbscript"), "script");
  if (line.nick.empty() || body.empty()) return std::nullopt;

  std::string open = "<FONT STYLE='COLOR:#" + line.textColour + ";FONT-SIZE:" + line.size +
                     "pt;FONT-FAMILY:" + line.face + "'>";
  std::string close = "</FONT>";
  for (const StyleTag& tag : kStyleTags) {
    if (line.style.find(tag.letter) == std::string::npos) continue;
    open += tag.open;
    close.insert(0, tag.close);
  }

  const bool dark = IsDark(line.backColour);
  const std::string& b = line.backColour;
  const std::string nick = EscapeHtml(line.nick);
  std::string html(kTableOpen);
  html += "<TR>";
  html += "<TD WIDTH=35 ALIGN=CENTER CLASS=fixed><IMG WIDTH=19 HEIGHT=19 SRC='" + IconUrl(portal, line.icon, false) +
          "'></TD>";
  html += "<TD WIDTH=5 BGCOLOR='#" + b + "'></TD>";
  html += "<TD WIDTH=95 CLASS=ellips BGCOLOR='#" + b;
  html += dark ? "'><NOBR><B><FONT STYLE='color:#FFFFFF'>" + nick + "</FONT></B></NOBR></TD>"
               : "'><NOBR><B>" + nick + "</B></NOBR></TD>";
  html += "<TD WIDTH=18 BGCOLOR='#" + b;
  html += dark ? "'><FONT STYLE='color:#FFFFFF'>▶</FONT></TD>" : "'>▶</TD>";
  html += "<TD WIDTH=5></TD>";
  html += "<TD>" + open + body + close + "</TD>";
  html += "</TR></TABLE>";
  return html;
}

std::string RenderInfoLine(std::string_view text) {
  std::string_view colour = "#999999";
  if (text.find("입장하셨습니다") != std::string_view::npos || text.find("퇴장하셨습니다") != std::string_view::npos) {
    colour = "#11AA44";
  } else if (text.find("[찬성]") != std::string_view::npos) {
    colour = "#FA8A12";
  }
  std::string html(kTableOpen);
  html += "<TR><TD ALIGN=CENTER><FONT COLOR='";
  html.append(colour).append("'>").append(text).append("</FONT></TD></TR></TABLE>");
  return html;
}

std::string_view WelcomeBannerHtml() {
  return "<TABLE BORDER=0 WIDTH=100% HEIGHT=35 CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD WIDTH=8></TD>"
         "<TD ALIGN=CENTER BGCOLOR='#F7F1E3'><FONT COLOR='#FA8A12'><B>어서 오세요. 벨보 오르빈타입니다.</B></FONT>"
         "</TD><TD WIDTH=8></TD></TR></TABLE>";
}

std::string_view ClearedNoticeHtml() {
  return "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD ALIGN=CENTER>"
         "<FONT COLOR='#FA8A12'><B>▶ 채팅 화면을 청소하였습니다. ◀</B></FONT></TD></TR></TABLE>";
}

std::string_view ClearedWarningHtml() {
  return "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD ALIGN=CENTER>"
         "<FONT COLOR='#FA8A12'>▷ 청소된 내용은 저장할 수 없습니다. ◁</FONT></TD></TR></TABLE>";
}

}  // namespace orvinta::window
