// A real transcript page (page 107) in Qt WebEngine, offscreen: what waits
// for the page lands in order once it has loaded, and text that could end a
// script or a string arrives as it was given.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QWebEngineScript>
#include <unistd.h>

#include "client/components/js_literal.h"
#include "client/components/resource_scheme.h"
#include "client/components/web_view.h"
#include "client/window/page_queue.h"
#include "platform/cp949.h"
#include "tests/fakes/page_script.h"
#include "tests/components/page_load_listener.h"

namespace orvinta::components {
namespace {

std::string Read(WebView& view, const std::string& id) {
  std::string html;
  bool answered = false;
  view.GetElementHtml(id, [&](const std::string& h) {
    html = h;
    answered = true;
  });
  Spin([&] { return answered; });
  return html;
}

TEST(JsLiteral, QuotesWhatCouldEndOrBreakTheString) {
  const struct {
    QString text, literal;
  } cases[] = {
      {"plain", "\"plain\""},
      {"a\"b\\c", "\"a\\\"b\\\\c\""},
      {"line\nbreak\r", "\"line\\u000abreak\\u000d\""},
      {QString(QChar(0x2028)), "\"\\u2028\""},
      {QStringLiteral("한글 </script>"), QStringLiteral("\"한글 </script>\"")},
      {"50%1 %2", "\"50\\u00251 \\u00252\""},
  };
  for (const auto& c : cases) EXPECT_EQ(JsLiteral(c.text), c.literal) << c.text.toStdString();
}

class TranscriptPageTest : public ::testing::Test {
 protected:
  TranscriptPageTest() {
    view.SetListener(&listener);
    view.Widget()->resize(500, 300);
    view.Widget()->show();
  }
  void Load() {
    view.Navigate("res://orvinta/107");
    ASSERT_TRUE(Spin([&] { return queue.IsLoaded(); }));
  }
  WebView view{platform::HtmlViewRole::Transcript};
  window::PageQueue queue{view};
  LoadListener listener{queue};
};

TEST_F(TranscriptPageTest, QueuedInsertionsLandBeforeQueuedSets) {
  queue.AppendBeforeMarker("END_LINE", "<P>first</P>");
  queue.AppendBeforeMarker("END_LINE", "<P>second</P>");
  // A set queued in the same period is applied after the insertions: it clears them.
  queue.SetElementHtml("CHAT_MAIN", "<I>cleared</I><SPAN ID=END_LINE></SPAN>");
  Load();
  queue.AppendBeforeMarker("END_LINE", "<P>third</P>");
  queue.AppendBeforeMarker("END_LINE", "<P>fourth</P>");
  const std::string page = Read(view, "CHAT_MAIN");
  EXPECT_EQ(page.find("first"), std::string::npos) << page;
  const auto cleared = page.find("cleared"), third = page.find("third"), fourth = page.find("fourth");
  ASSERT_NE(third, std::string::npos) << page;
  EXPECT_LT(cleared, third);
  EXPECT_LT(third, fourth);
  // The marker stays last and empty.
  EXPECT_NE(page.rfind("<span id=\"END_LINE\"></span>"), std::string::npos) << page;
  EXPECT_EQ(Read(view, "END_LINE"), "");
}

TEST_F(TranscriptPageTest, ScriptBreakingTextArrivesAsGiven) {
  Load();
  // Quotes, a backslash, a script end tag and line breaks.
  const std::string hostile = platform::FromLocalText("<SPAN ID=probe>\"'\\ &lt;/script&gt; \r\n 한글</SPAN>");
  queue.AppendBeforeMarker("END_LINE", hostile);
  const std::string probe = Read(view, "probe");
  EXPECT_EQ(probe, platform::FromLocalText("\"'\\ &lt;/script&gt; \n 한글"));  // the parser folds CR LF
}

TEST_F(TranscriptPageTest, PercentPlacesInALineAreText) {
  Load();
  // Scripts are put together with QString::arg: "%1" in a line must not become a place.
  queue.AppendBeforeMarker("END_LINE", "<SPAN ID=first>50%1 %2 %3 %%</SPAN>");
  queue.AppendBeforeMarker("END_LINE", "<SPAN ID=second>%9</SPAN>");
  EXPECT_EQ(Read(view, "first"), "50%1 %2 %3 %%");
  EXPECT_EQ(Read(view, "second"), "%9");
}

TEST_F(TranscriptPageTest, ManyLinesStayInOrder) {
  Load();
  for (int i = 0; i < 450; ++i) queue.AppendBeforeMarker("END_LINE", "<P>line" + std::to_string(i) + "</P>");
  const std::string page = Read(view, "CHAT_MAIN");
  std::size_t at = 0;
  for (int i = 0; i < 450; ++i) {
    const auto next = page.find("line" + std::to_string(i) + "<", at);
    ASSERT_NE(next, std::string::npos) << "line " << i;
    at = next;
  }
}

// Runs a script in the program's script world and gives back its result.
QVariant Evaluate(WebView& view, const QString& script) { return RunScript(*view.Widget()->page(), script); }

int LiveLines(WebView& view) {
  return Evaluate(view, "document.getElementById('CHAT_MAIN').getElementsByTagName('P').length").toInt();
}

TEST_F(TranscriptPageTest, OldLinesLeaveThePageButNotTheTranscript) {
  Load();
  constexpr int kLines = 3500;  // blocks of 100 in groups of 32: more than one group
  for (int i = 0; i < kLines; ++i) queue.AppendBeforeMarker("END_LINE", "<P>line" + std::to_string(i) + "</P>");
  view.ScrollToMarker("END_LINE");
  // The page holds the newest lines only...
  const std::string page = Read(view, "CHAT_MAIN");
  EXPECT_LE(LiveLines(view), 1000);
  // ...and the transcript read back has every line, in order.
  std::size_t at = 0;
  for (int i = 0; i < kLines; ++i) {
    const auto next = page.find("<p>line" + std::to_string(i) + "</p>", at);
    ASSERT_NE(next, std::string::npos) << "line " << i;
    at = next;
  }
  // Scrolled to the top, the first lines are back in the page.
  Evaluate(view, "window.scrollTo(0, 0)");
  EXPECT_TRUE(Spin([&] { return Evaluate(view, "!!document.querySelector('#CHAT_MAIN p')").toBool() &&
                               Evaluate(view, "document.querySelector('#CHAT_MAIN p').textContent").toString() ==
                                   QStringLiteral("line0"); },
                   10000));
}

TEST_F(TranscriptPageTest, ReadBackIsTheLinesAloneAsInsertionWouldLeaveThem) {
  Load();
  std::string expected;
  for (int i = 0; i < 3500; ++i) {  // more than one group of frozen blocks
    const std::string line = "<p>line" + std::to_string(i) + "</p>";
    queue.AppendBeforeMarker("END_LINE", line);
    expected += line + "\n";
  }
  view.ScrollToMarker("END_LINE");
  const std::string page = Read(view, "CHAT_MAIN");
  EXPECT_LE(LiveLines(view), 1000);  // some blocks are frozen
  EXPECT_EQ(page.find("orvinta-lines"), std::string::npos) << page.substr(0, 300);
  EXPECT_EQ(page.find("content-visibility"), std::string::npos);
  EXPECT_NE(page.find(expected + "<span id=\"END_LINE\"></span>"), std::string::npos) << page.substr(0, 300);
}

TEST_F(TranscriptPageTest, ClearingTheScreenDropsFrozenLines) {
  Load();
  for (int i = 0; i < 1000; ++i) queue.AppendBeforeMarker("END_LINE", "<P>old" + std::to_string(i) + "</P>");
  queue.SetElementHtml("CHAT_MAIN", "<SPAN ID=END_LINE></SPAN>");
  queue.AppendBeforeMarker("END_LINE", "<P>new</P>");
  const std::string page = Read(view, "CHAT_MAIN");
  EXPECT_EQ(page.find("old"), std::string::npos) << page.substr(0, 200);
  EXPECT_NE(page.find("<p>new</p>"), std::string::npos) << page;
}

TEST_F(TranscriptPageTest, KoreanBreaksBetweenWordsAndAnOverlongWordWraps) {
  Load();
  std::string korean;
  for (int i = 0; i < 40; ++i) korean += platform::FromLocalText("가나다라마바사 ");
  queue.AppendBeforeMarker("END_LINE", "<TABLE WIDTH=100% CLASS=fixed><TR><TD ID=long>" + std::string(600, 'x') +
                                           "</TD><TD ID=korean>" + korean + "</TD></TR></TABLE>");
  Read(view, "CHAT_MAIN");  // it has landed
  // No overflow, and no word of seven letters and a space starts on one line and ends on the next.
  EXPECT_EQ(Evaluate(view, "var e = document.getElementById('long'), t = document.getElementById('korean').firstChild,"
                           "r = document.createRange(), n = e.scrollWidth - e.clientWidth;"
                           "for (var i = 0; i < t.length; i += 8) { r.setStart(t, i); r.setEnd(t, i + 7);"
                           "  var b = r.getClientRects(); n += b[0].top !== b[b.length - 1].top; } n").toInt(), 0);
}

}  // namespace
}  // namespace orvinta::components
