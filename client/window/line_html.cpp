#include "client/window/line_html.h"

#include <array>
#include <cstdlib>
#include <vector>

#include "client/compose/emoticons.h"
#include "client/window/icon_url.h"
#include "client/window/text_filters.h"
#include "client/window/web_links.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kTableOpen = "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed>";

// Two or three of the colour's bytes below 0x80.
bool IsDark(std::string_view hex) {
  const unsigned long value = std::strtoul(std::string(hex).c_str(), nullptr, 16);
  int low = 0;
  for (int shift = 0; shift <= 16; shift += 8) low += ((value >> shift) & 0xFF) < 0x80;
  return low >= 2;
}

// Each keyword, in table order, replaced by its image tag under `base`.
std::string ReplaceEmoticons(std::string_view text, const std::string& base) {
  std::string out(text);
  for (const compose::Emoticon& e : compose::kEmoticons) {
    if (out.find(e.keyword) == std::string::npos) continue;
    out = ReplaceAll(out, e.keyword, "<IMG WIDTH=20 HEIGHT=20 ALIGN=ABSMIDDLE SRC=" + base + std::string(e.image) + ">");
  }
  return out;
}

struct StyleTag {
  char letter;
  std::string_view open, close;
};
constexpr std::array<StyleTag, 3> kStyleTags = {{{'B', "<B>", "</B>"}, {'I', "<I>", "</I>"}, {'U', "<U>", "</U>"}}};

// Received angle brackets become entities; only the composer's line breaks stay markup.
std::string EscapeKeepingLineBreaks(std::string_view text) {
  const std::vector<std::string_view> pieces = compose::SplitAtLineBreaks(text);
  std::string out;
  for (std::size_t i = 0; i < pieces.size(); ++i) {
    if (i > 0) out += compose::kLineBreakTag;
    out += ReplaceAll(ReplaceAll(pieces[i], "<", "&lt;"), ">", "&gt;");
  }
  return out;
}

}  // namespace

std::optional<std::string> RenderChatLine(const compose::ChatLine& line, const PortalConfig& portal) {
  std::string body = EscapeKeepingLineBreaks(compose::ShownField(line.text));
  body = ReplaceEmoticons(body, portal.emoticonBase);
  body = RemoveWordIgnoreCase(RemoveWordIgnoreCase(body, "vbscript"), "script");
  if (line.nick.empty() || body.empty()) return std::nullopt;
  body = LinkWebAddresses(body);

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
  const std::string nick = EscapeHtml(compose::ShownField(line.nick));
  std::string html(kTableOpen);
  html += "<TR>";
  html += "<TD WIDTH=35 ALIGN=CENTER CLASS=fixed><IMG WIDTH=19 HEIGHT=19 SRC='" + IconUrl(portal, ParseIconNumber(line.icon), false) +
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
