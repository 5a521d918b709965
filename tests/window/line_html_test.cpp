#include "client/window/line_html.h"

#include <gtest/gtest.h>

#include "client/window/member.h"

namespace orvinta::window {
namespace {

using compose::ParseChatLine;

PortalConfig TestPortal() {
  PortalConfig portal;
  portal.avatarBase = "http://av/";
  portal.imageBase = "http://img/";
  portal.emoticonBase = "http://emo/";
  return portal;
}

std::string Render(std::string_view wire) { return RenderChatLine(ParseChatLine(wire), TestPortal()).value_or("<none>"); }

TEST(RenderChatLine, BuildsTheLineTable) {
  EXPECT_EQ(Render("BI|FF0000|10|돋움|FFFFFF|1234|밥|안녕"),
            "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR>"
            "<TD WIDTH=35 ALIGN=CENTER CLASS=fixed><IMG WIDTH=19 HEIGHT=19 SRC='http://av/34/12/1234.gif'></TD>"
            "<TD WIDTH=5 BGCOLOR='#FFFFFF'></TD>"
            "<TD WIDTH=95 CLASS=ellips BGCOLOR='#FFFFFF'><NOBR><B>밥</B></NOBR></TD>"
            "<TD WIDTH=18 BGCOLOR='#FFFFFF'>▶</TD><TD WIDTH=5></TD>"
            "<TD><FONT STYLE='COLOR:#FF0000;FONT-SIZE:10pt;FONT-FAMILY:돋움'><B><I>안녕</I></B></FONT></TD>"
            "</TR></TABLE>");
}

TEST(RenderChatLine, DarkBackgroundGivesWhiteNickAndArrow) {
  const std::string html = Render("|FF0000|9|굴림|000080|0|밥|hi");
  EXPECT_NE(html.find("<NOBR><B><FONT STYLE='color:#FFFFFF'>밥</FONT></B></NOBR>"), std::string::npos);
  EXPECT_NE(html.find("'><FONT STYLE='color:#FFFFFF'>▶</FONT></TD>"), std::string::npos);
  EXPECT_EQ(Render("|FF0000|9|굴림|FFFFFF|0|밥|hi").find("color:#FFFFFF"), std::string::npos);
}

TEST(RenderChatLine, UnderlineClosesInnermostFirst) {
  const std::string html = Render("UIB|000000|9|굴림|FFFFFF|0|n|t");
  EXPECT_NE(html.find("'><B><I><U>t</U></I></B></FONT>"), std::string::npos);
}

struct TextCase {
  const char* name;
  std::string text;     // field 7 as sent
  std::string shown;    // what lands between the font tags
};

class ChatLineText : public ::testing::TestWithParam<TextCase> {};

TEST_P(ChatLineText, IsFilteredAsExpected) {
  const std::string html = Render("|212121|9|굴림|FFFFFF|0|n|" + GetParam().text);
  const std::string open = "FONT-FAMILY:굴림'>";
  const auto start = html.find(open) + open.size();
  EXPECT_EQ(html.substr(start, html.find("</FONT></TD></TR>") - start), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ChatLineText,
    ::testing::Values(
        TextCase{"TagsAreVisible", "<b>hi</b>", "&lt;b&gt;hi&lt;/b&gt;"},
        TextCase{"LineBreaksOnly", "a<BR>b<br><Br/>&lt;BR&gt;", "a<BR>b<BR>&lt;Br/&gt;&lt;BR&gt;"},
        TextCase{"ScriptWordGoes", "javascript:go()", "java:go()"},
        TextCase{"VbscriptGoesWhole", "VBScript!", "!"},
        TextCase{"PipeCode", "a%%7Cb", "a|b"},
        TextCase{"PercentCollapses", "100%% sure", "100% sure"},
        TextCase{"FormatMarksStayText", "%s%n%d", "%s%n%d"},
        TextCase{"Emoticon", "hi /미소", "hi <IMG WIDTH=20 HEIGHT=20 ALIGN=ABSMIDDLE SRC=http://emo/icon_01.gif>"},
        TextCase{"LastEmoticon", "/선물/빵", "<IMG WIDTH=20 HEIGHT=20 ALIGN=ABSMIDDLE SRC=http://emo/icon_32.gif>"
                                             "<IMG WIDTH=20 HEIGHT=20 ALIGN=ABSMIDDLE SRC=http://emo/icon_19.gif>"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenderChatLine, DropsLinesWithoutNickOrText) {
  EXPECT_FALSE(RenderChatLine(ParseChatLine("|212121|9|굴림|FFFFFF|0||text"), TestPortal()));
  EXPECT_FALSE(RenderChatLine(ParseChatLine("|212121|9|굴림|FFFFFF|0|nick|"), TestPortal()));
  EXPECT_FALSE(RenderChatLine(ParseChatLine("|212121|9|굴림|FFFFFF|0|nick|script"), TestPortal()));
  EXPECT_FALSE(RenderChatLine(ParseChatLine("just text"), TestPortal()));
}

TEST(RenderChatLine, HostileLineStaysVisibleText) {
  const std::string hostile =
      "B\"<x>'|\"'><script>|'\"<>|<i>'\"|\"><img src=x>|1\"><b>|<img src=x onerror=alert(1)>\"'%%7C|"
      "<script>alert('%s%n')</script>\"'";
  const std::string html = Render(hostile);
  // The only markup is the program's own: every received angle bracket is an entity.
  EXPECT_EQ(html.find("<img"), std::string::npos);
  EXPECT_EQ(html.find("<i>"), std::string::npos);
  EXPECT_NE(html.find("&lt;img src=x onerror=alert(1)&gt;&quot;&#39;|"), std::string::npos);
  EXPECT_NE(html.find("&lt;&gt;alert('%s%n')&lt;/&gt;\"'"), std::string::npos);
  EXPECT_NE(html.find("COLOR:#212121;FONT-SIZE:9pt;FONT-FAMILY:굴림'><B>"), std::string::npos);
  EXPECT_NE(html.find("BGCOLOR='#FFFFFF'"), std::string::npos);
  EXPECT_NE(html.find("empty19_b.gif"), std::string::npos);
}

TEST(RenderInfoLine, ColoursEntriesVotesAndTheRest) {
  EXPECT_NE(RenderInfoLine("밥님이 입장하셨습니다").find("COLOR='#11AA44'"), std::string::npos);
  EXPECT_NE(RenderInfoLine("밥님이 퇴장하셨습니다").find("COLOR='#11AA44'"), std::string::npos);
  EXPECT_NE(RenderInfoLine("[찬성] : 2 명").find("COLOR='#FA8A12'"), std::string::npos);
  EXPECT_EQ(RenderInfoLine("x"),
            "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD ALIGN=CENTER>"
            "<FONT COLOR='#999999'>x</FONT></TD></TR></TABLE>");
}

}  // namespace
}  // namespace orvinta::window
