// The reader's place in a real transcript page (page 107) offscreen: lines
// follow the newest only at the bottom, a bar counts what arrived while the
// reader was scrolled up, and lines that came while the room was in the
// background start behind a marker when it is shown again.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWebEngineScript>
#include <unistd.h>

#include "client/components/resource_scheme.h"
#include "client/components/transcript_find_bar.h"
#include "client/components/web_view.h"
#include "client/window/page_queue.h"
#include "platform/cp949.h"
#include "tests/fakes/page_script.h"
#include "tests/components/page_load_listener.h"

namespace orvinta::components {
namespace {

class TranscriptReadingTest : public ::testing::Test {
 protected:
  TranscriptReadingTest() {
    view.SetListener(&listener);
    view.Widget()->resize(500, 300);
    view.Widget()->show();
    view.Navigate("res://orvinta/107");
    Spin([&] { return queue.IsLoaded(); });
  }

  QVariant Evaluate(const QString& script) { return RunScript(*view.Widget()->page(), script); }
  bool Until(const QString& condition) { return Spin([&] { return Evaluate(condition).toBool(); }); }

  // Lines as the presenter sends them: each followed by a scroll to the end.
  void AddLines(const std::string& stem, int count) {
    for (int i = 0; i < count; ++i) {
      queue.AppendBeforeMarker("END_LINE", "<P>" + stem + std::to_string(i) + "</P>");
      queue.ScrollToMarker("END_LINE");
    }
  }
  // Two frames: whatever the page was going to scroll has scrolled.
  void Settle() {
    Evaluate("new Promise(function(r){requestAnimationFrame(function(){requestAnimationFrame(r);});})");
  }
  QString BarText() {
    return Evaluate("(function(){var b=document.querySelector('.orvinta-newlines');"
                    "return b&&b.style.display!=='none'?b.textContent:'';})()")
        .toString();
  }
  std::string ReadBack() {
    std::string html;
    bool answered = false;
    view.GetElementHtml("CHAT_MAIN", [&](const std::string& h) {
      html = h;
      answered = true;
    });
    Spin([&] { return answered; });
    return html;
  }

  static constexpr auto kAtBottom =
      "window.scrollY>0&&window.scrollY+window.innerHeight>=document.documentElement.scrollHeight-4";

  WebView view{platform::HtmlViewRole::Transcript};
  window::PageQueue queue{view};
  LoadListener listener{queue};
};

TEST_F(TranscriptReadingTest, ScrolledUpReaderKeepsThePlaceAndTheBarCountsWhatArrived) {
  AddLines("old", 60);
  ASSERT_TRUE(Until(kAtBottom)) << "at the bottom, lines follow the newest";
  Evaluate("window.scrollTo(0, 100)");
  Settle();
  AddLines("new", 12);
  Settle();
  ASSERT_TRUE(Spin([&] { return BarText() == QStringLiteral("새 메시지 12개 ↓"); })) << BarText().toStdString();
  EXPECT_EQ(Evaluate("window.scrollY").toInt(), 100);
  // The bar is no line of the transcript.
  EXPECT_EQ(ReadBack().find("orvinta-newlines"), std::string::npos);

  Evaluate("document.querySelector('.orvinta-newlines').click()");
  EXPECT_TRUE(Until(kAtBottom));
  EXPECT_EQ(BarText(), QString());
  // Back at the bottom, lines follow again.
  AddLines("after", 20);
  EXPECT_TRUE(Until(QStringLiteral("(function(){var p=document.querySelectorAll('#CHAT_MAIN p');"
                                   "return p[p.length-1].textContent==='after19'&&(%1);})()")
                        .arg(kAtBottom)));
  // Scrolled up again, the user's own line brings the view to the newest.
  Evaluate("window.scrollTo(0, 100)");
  Settle();
  queue.AppendBeforeMarker("END_LINE", "<P>mine</P>");
  queue.JumpToMarker("END_LINE");
  EXPECT_TRUE(Until(kAtBottom));
}

TEST_F(TranscriptReadingTest, LinesFromTheBackgroundStartBehindAMarkerOnReturn) {
  AddLines("read", 60);
  ASSERT_TRUE(Until(kAtBottom));
  view.Show(false);
  ASSERT_TRUE(Until("document.hidden"));
  AddLines("unread", 40);
  Settle();
  // The marker is the page's own: the transcript read back has the lines alone.
  const std::string html = ReadBack();
  EXPECT_EQ(html.find("orvinta-unread"), std::string::npos);
  EXPECT_NE(html.find("<p>read59</p>\n<p>unread0</p>"), std::string::npos);

  view.Show(true);
  ASSERT_TRUE(Until("!document.hidden"));
  ASSERT_TRUE(Until("(function(){var m=document.querySelector('.orvinta-unread');"
                    "return !!m&&Math.abs(m.getBoundingClientRect().top)<2;})()"))
      << "the view starts at the marker";
  EXPECT_EQ(Evaluate("document.querySelector('.orvinta-unread').nextElementSibling.textContent").toString(),
            QStringLiteral("unread0"));
  EXPECT_TRUE(Spin([&] { return BarText() == QStringLiteral("새 메시지 40개 ↓"); })) << BarText().toStdString();

  // A second stay in the background moves the marker to the new first line.
  view.Show(false);
  ASSERT_TRUE(Until("document.hidden"));
  AddLines("later", 5);
  Settle();
  view.Show(true);
  ASSERT_TRUE(Until("(function(){var m=document.querySelectorAll('.orvinta-unread');"
                    "return m.length===1&&m[0].nextElementSibling.textContent==='later0';})()"));
}

TEST_F(TranscriptReadingTest, AMentionIsMarkedOnThePageButNotInTheReadBack) {
  queue.AppendBeforeMarker("END_LINE", "<TABLE CLASS='fixed orvinta-mention'><TR><TD>hi</TD></TR></TABLE>");
  EXPECT_TRUE(Until("!!document.querySelector('table.orvinta-mention')"));
  EXPECT_TRUE(Evaluate("getComputedStyle(document.querySelector('table.orvinta-mention')).backgroundColor"
                       "!=='rgba(0, 0, 0, 0)'").toBool());
  EXPECT_NE(ReadBack().find("<table class=\"fixed\"><tbody><tr><td>hi</td></tr></tbody></table>"), std::string::npos)
      << ReadBack();
}

TEST_F(TranscriptReadingTest, FindReachesFrozenLinesAndBringsThemIntoView) {
  for (int i = 0; i < 1500; ++i) {
    const std::string word = i == 5 ? "바늘Needle" : i == 1400 ? "needle과 실" : "hay";
    queue.AppendBeforeMarker("END_LINE", "<P>line" + std::to_string(i) + " " + platform::FromLocalText(word) + "</P>");
  }
  queue.ScrollToMarker("END_LINE");
  ASSERT_TRUE(Until("document.querySelectorAll('#CHAT_MAIN p').length < 1000")) << "old blocks are frozen";
  // The newest match first, then around to the oldest, in a frozen block.
  EXPECT_EQ(Evaluate("window.orvintaTranscript.find('NEEDLE').join('/')").toString(), "2/2");
  EXPECT_EQ(Evaluate("window.getSelection().toString()").toString(), "needle");
  EXPECT_EQ(Evaluate("window.orvintaTranscript.findNext(1).join('/')").toString(), "1/2");
  EXPECT_EQ(Evaluate("window.getSelection().toString()").toString(), "Needle");
  EXPECT_TRUE(Until("(function(){var r=window.getSelection().getRangeAt(0).getBoundingClientRect();"
                    "return r.top>=0&&r.bottom<=window.innerHeight;})()"))
      << "the match is in view";
  // Korean as typed; none found.
  EXPECT_EQ(Evaluate(QStringLiteral("window.orvintaTranscript.find('바늘').join('/')")).toString(), "1/1");
  EXPECT_EQ(Evaluate("window.orvintaTranscript.find('nothing').join('/')").toString(), "0/0");
  EXPECT_EQ(Evaluate("window.orvintaTranscript.findNext(-1).join('/')").toString(), "0/0");
}

TEST_F(TranscriptReadingTest, FindBarCountsStepsAndCloses) {
  for (const char* line : {"<P>hello one</P>", "<P>other</P>", "<P>HELLO two</P>"}) queue.AppendBeforeMarker("END_LINE", line);
  ASSERT_TRUE(Until("document.querySelectorAll('#CHAT_MAIN p').length===3"));
  auto* bar = view.Widget()->findChild<TranscriptFindBar*>();
  ASSERT_NE(bar, nullptr);
  bar->Open();
  bar->findChild<QLineEdit*>()->setText("hello");
  EXPECT_TRUE(Spin([&] { return bar->CountText() == "2/2"; })) << bar->CountText().toStdString();
  const auto press = [&](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(bar->findChild<QLineEdit*>(), &event);
  };
  press(Qt::Key_Return);  // back in time
  EXPECT_TRUE(Spin([&] { return bar->CountText() == "1/2"; })) << bar->CountText().toStdString();
  press(Qt::Key_F3, Qt::ShiftModifier);
  EXPECT_TRUE(Spin([&] { return bar->CountText() == "2/2"; })) << bar->CountText().toStdString();
  auto* field = bar->findChild<QLineEdit*>();
  const auto red = [&] { return field->grab().toImage().pixelColor(field->width() - 6, 8).green() < 230; };
  EXPECT_FALSE(red());
  field->setText("nowhere");
  EXPECT_TRUE(Spin([&] { return bar->CountText() == "0/0" && red(); }));  // a cue beside the count
  field->setText("hello");
  press(Qt::Key_Escape);
  EXPECT_FALSE(bar->isVisible());
  EXPECT_TRUE(Until("window.getSelection().rangeCount===0"));
}

}  // namespace
}  // namespace orvinta::components
