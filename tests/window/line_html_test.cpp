// A line's HTML as the saved file holds it: the rules of its parts, and a
// whole saved transcript byte for byte against tests/window/data.
#include "client/window/line_html.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "client/window/member.h"
#include "client/window/saving/saved_document.h"

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

// A received line's HTML, as the saved file holds it.
std::string Render(std::string_view wire) {
  const auto line = ChatLineFrom(ParseChatLine(wire), TestPortal());
  return line ? LineHtml(*line, TestPortal()) : "<none>";
}

TEST(ChatLineHtml, BuildsTheLineTable) {
  EXPECT_EQ(Render("BI|FF0000|10|돋움|FFFFFF|1234|밥|안녕"),
            "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR>"
            "<TD WIDTH=35 ALIGN=CENTER CLASS=fixed><IMG WIDTH=19 HEIGHT=19 SRC='http://av/34/12/1234.gif'></TD>"
            "<TD WIDTH=5 BGCOLOR='#FFFFFF'></TD>"
            "<TD WIDTH=95 CLASS=ellips BGCOLOR='#FFFFFF'><NOBR><B>밥</B></NOBR></TD>"
            "<TD WIDTH=18 BGCOLOR='#FFFFFF'>▶</TD><TD WIDTH=5></TD>"
            "<TD><FONT STYLE='COLOR:#FF0000;FONT-SIZE:10pt;FONT-FAMILY:돋움'><B><I>안녕</I></B></FONT></TD>"
            "</TR></TABLE>");
}

TEST(ChatLineHtml, DarkBackgroundGivesWhiteNickAndArrow) {
  const std::string html = Render("|FF0000|9|굴림|000080|0|밥|hi");
  EXPECT_NE(html.find("<NOBR><B><FONT STYLE='color:#FFFFFF'>밥</FONT></B></NOBR>"), std::string::npos);
  EXPECT_NE(html.find("'><FONT STYLE='color:#FFFFFF'>▶</FONT></TD>"), std::string::npos);
  EXPECT_EQ(Render("|FF0000|9|굴림|FFFFFF|0|밥|hi").find("color:#FFFFFF"), std::string::npos);
}

TEST(ChatLineHtml, UnderlineClosesInnermostFirst) {
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

TEST(ChatLineHtml, DropsLinesWithoutNickOrText) {
  EXPECT_FALSE(ChatLineFrom(ParseChatLine("|212121|9|굴림|FFFFFF|0||text"), TestPortal()));
  EXPECT_FALSE(ChatLineFrom(ParseChatLine("|212121|9|굴림|FFFFFF|0|nick|"), TestPortal()));
  EXPECT_FALSE(ChatLineFrom(ParseChatLine("|212121|9|굴림|FFFFFF|0|nick|script"), TestPortal()));
  EXPECT_FALSE(ChatLineFrom(ParseChatLine("just text"), TestPortal()));
}

TEST(ChatLineHtml, HostileLineStaysVisibleText) {
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

TEST(InfoLineHtml, ColoursEntriesVotesAndTheRest) {
  const auto html = [](std::string_view markup) { return LineHtml(InfoLine(markup), TestPortal()); };
  EXPECT_NE(html("밥님이 입장하셨습니다").find("COLOR='#11AA44'"), std::string::npos);
  EXPECT_NE(html("밥님이 퇴장하셨습니다").find("COLOR='#11AA44'"), std::string::npos);
  EXPECT_NE(html("[찬성] : 2 명").find("COLOR='#FA8A12'"), std::string::npos);
  EXPECT_EQ(html("x"),
            "<TABLE BORDER=0 WIDTH=100% CELLPADDING=0 CELLSPACING=0 CLASS=fixed><TR><TD ALIGN=CENTER>"
            "<FONT COLOR='#999999'>x</FONT></TD></TR></TABLE>");
}

TranscriptLine Chat(std::string_view wire, bool mention = false) {
  TranscriptLine line = ChatLineFrom(compose::ParseChatLine(wire), TestPortal()).value();
  line.mention = mention;  // the tint is the view's alone
  return line;
}

// Every kind of line, style and colour rule, against a checked-in file (code
// page 949, "\n" line ends; `iconv -f CP949` reads it). A change to a line's
// HTML must change that file too, by hand, after checking the new bytes.
TEST(SavedTranscript, IsTheCheckedInFileByteForByte) {
  const std::vector<TranscriptLine> kept = {
      BannerLine(),
      Chat("|212121|9|굴림|FFFFFF|0|밥|기본 50%% a%%7Cb"),
      Chat("B|FF0000|10|바탕|FFFFFF|7|밥|굵게"),
      Chat("I|00AA00|11|돋움|FFFFFF|1234|밥|기울임"),
      Chat("U|0000FF|13|궁서|FFFFFF|5600|밥|밑줄"),
      Chat("UIB|333333|15|굴림|000080|1001|밥|셋 다, 어두운 바탕"),
      Chat("|212121|8|굴림|7F7FFF|0|밥|두 바이트가 0x80 아래: 어두움"),
      Chat("|212121|8|굴림|80807F|0|밥|한 바이트만: 밝음", true),
      Chat("|212121|9|Arial|FFFFFF|0|<밥>\"'&|/미소 봐<BR>http://a.b/c?d=1&amp;e=2 끝/선물<br>둘째 줄"),
      Chat("|212121|9|굴림|FFFFFF|0|밥|<b>x</b> & &amp; &#39;&#xAC00; <SCRIPT>javascript:vbscript"),
      InfoLine("<BR><B>☆☆ &lt;밥&gt;님이 입장하셨습니다 ☆☆</B><BR><BR>"),
      InfoLine("[찬성] : 2 명"),
      InfoLine("▷ 글이 길어 앞부분만 보냈습니다 ◁"),
      ClearedNoticeLine(),
      ClearedWarningLine(),
  };
  TranscriptLines lines(kept.size());
  lines.Add(Chat("|212121|9|굴림|FFFFFF|0|밥|한도를 넘어 지워질 줄"));
  lines.Add(InfoLine("지워질 줄"));
  for (const TranscriptLine& line : kept) lines.Add(line);

  std::ifstream file(ORVINTA_SOURCE_DIR "/tests/window/data/saved_transcript.htm", std::ios::binary);
  ASSERT_TRUE(file) << "the expected file is missing";
  std::ostringstream read;
  read << file.rdbuf();
  const std::string expected = read.str();
  const std::string saved = saving::SavedDocument(TranscriptHtml(lines, TestPortal()));
  const std::size_t at = std::mismatch(saved.begin(), saved.end(), expected.begin(), expected.end()).first - saved.begin();
  EXPECT_EQ(saved, expected) << "first difference at byte " << at << ": \"" << saved.substr(at, 60) << "\"";
}

}  // namespace
}  // namespace orvinta::window
