// Web addresses in chat lines: which text becomes a link, and how it is written.
#include "client/window/web_links.h"

#include <gtest/gtest.h>

#include "client/compose/chat_line.h"
#include "client/window/line_html.h"

namespace orvinta::window {
namespace {

std::string A(const std::string& href, const std::string& shown) {
  return "<A HREF='" + href + "' STYLE='color:inherit;font-size:inherit;text-decoration:underline'>" + shown + "</A>";
}
std::string A(const std::string& address) { return A(address, address); }

struct LinkCase {
  const char* name;
  std::string body;  // the line's text as the renderer has escaped it
  std::string html;
};

class WebLinks : public ::testing::TestWithParam<LinkCase> {};

TEST_P(WebLinks, MarkOnlyWebAddresses) { EXPECT_EQ(LinkWebAddresses(GetParam().body), GetParam().html); }

INSTANTIATE_TEST_SUITE_P(
    Cases, WebLinks,
    ::testing::Values(
        LinkCase{"Plain", "see http://a.com/x?y=1 now", "see " + A("http://a.com/x?y=1") + " now"},
        LinkCase{"Https", "https://a.com", A("https://a.com")},
        LinkCase{"SchemeInAnyCase", "HTTP://A.com", A("HTTP://A.com")},
        LinkCase{"AfterLetters", "xhttp://a.b", "x" + A("http://a.b")},
        LinkCase{"SentenceEnd", "go to http://a.com/b.", "go to " + A("http://a.com/b") + "."},
        LinkCase{"PunctuationRun", "(http://a.com/b)!?", "(" + A("http://a.com/b") + ")!?"},
        LinkCase{"BracketsOfItsOwn", "http://w.org/A_(b)", A("http://w.org/A_(b)")},
        LinkCase{"AmpersandInQuery", "http://a.com/?x=1&y=2", A("http://a.com/?x=1&amp;y=2", "http://a.com/?x=1&y=2")},
        LinkCase{"EscapedAmpersand", "http://a.com/?x=1&amp;y=2", A("http://a.com/?x=1&amp;y=2", "http://a.com/?x=1&amp;y=2")},
        LinkCase{"StopsAtEscapedBracket", "http://a.com&lt;script&gt;", A("http://a.com") + "&lt;script&gt;"},
        LinkCase{"StopsAtQuotes", "http://a.com/'onmouseover=x \"y", A("http://a.com/") + "'onmouseover=x \"y"},
        LinkCase{"StopsAtNumericEntity", "http://a.com/&#39;x", A("http://a.com/") + "&#39;x"},
        LinkCase{"StopsAtControlByte", "http://a.com/\x01x", A("http://a.com/") + "\x01x"},
        LinkCase{"StopsAtKorean", "http://a.com에서", A("http://a.com") + "에서"},
        LinkCase{"LongestAddress", "http://a.b/" + std::string(4085, 'x'), A("http://a.b/" + std::string(4085, 'x'))},
        LinkCase{"OverlongAddressStaysText", "http://a.b/" + std::string(4086, 'x'), "http://a.b/" + std::string(4086, 'x')},
        LinkCase{"TwoAddresses", "http://a.b https://c.d", A("http://a.b") + " " + A("https://c.d")},
        LinkCase{"SchemeAlone", "http:// and https://", "http:// and https://"},
        LinkCase{"NoHost", "http://.com http://-x", "http://.com http://-x"},
        LinkCase{"OtherSchemes", "ftp://a.b javascript:x mailto://a file:///etc", "ftp://a.b javascript:x mailto://a file:///etc"},
        LinkCase{"InsideOwnTag", "<IMG SRC=http://emo/icon_01.gif>http://a.b",
                 "<IMG SRC=http://emo/icon_01.gif>" + A("http://a.b")},
        // "\xB1\x68" is one character whose second byte is an "h".
        LinkCase{"TrailByteIsNoStart", "\xB1http://a.b", "\xB1http://a.b"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(WebLinks, ChatLineShowsItsAddressAsALink) {
  const auto line = ChatLineFrom(compose::ParseChatLine("|212121|9|Gulim|FFFFFF|0|n|<see> http://a.b/미소 /미소"), {});
  ASSERT_TRUE(line);
  const std::string html = LineHtml(*line, {});
  // The emoticon keyword after the address is still a picture; the address ends before Korean.
  EXPECT_NE(html.find("&lt;see&gt; " + A("http://a.b") + "<IMG"), std::string::npos) << html;
}

}  // namespace
}  // namespace orvinta::window
