// Links in a real transcript page (page 107) in Qt WebEngine, offscreen: a
// click hands a web address to the opener and the page stays where it is.
#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QWebEngineScript>

#include "client/compose/chat_line.h"
#include "client/components/browser_opener.h"
#include "client/components/web_view.h"
#include "client/window/line_html.h"
#include "client/window/page_queue.h"
#include "tests/components/page_load_listener.h"
#include "tests/fakes/page_script.h"

namespace orvinta::components {
namespace {

struct ClickCase {
  const char* name;
  std::string lineHtml;  // the line as the transcript gets it
  QString opened;        // what reaches the opener; empty: nothing
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

std::string ChatLine(const std::string& text) {
  return window::RenderChatLine(compose::ParseChatLine("|212121|9|x|FFFFFF|0|n|" + text), {}).value();
}

class TranscriptLinkClick : public ::testing::TestWithParam<ClickCase> {
 protected:
  TranscriptLinkClick() {
    view.SetListener(&listener);
    view.Widget()->resize(500, 300);
    view.Widget()->show();
    static_cast<WebPage*>(view.Widget()->page())->OpenLinksWith([this](const QUrl& url) { opened.push_back(url); });
  }

  // The middle of the page's first link, in the view's coordinates.
  QPoint FirstLinkCentre() {
    const QVariantList xy =
        RunScript(*view.Widget()->page(),
                  "(function(){var a=document.getElementsByTagName('a')[0];if(!a)return [];"
                  "var r=a.getBoundingClientRect();return [r.left+r.width/2,r.top+r.height/2];})()")
            .toList();
    return xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint(-1, -1);
  }

  WebView view{platform::HtmlViewRole::Transcript};
  window::PageQueue queue{view};
  LoadListener listener{queue};
  std::vector<QUrl> opened;
};

TEST_P(TranscriptLinkClick, OpensOnlyWebAddressesAndNeverNavigates) {
  view.Navigate("res://orvinta/107");
  ASSERT_TRUE(Spin([&] { return queue.IsLoaded(); }));
  const QUrl page = view.Widget()->page()->url();
  queue.AppendBeforeMarker("END_LINE", GetParam().lineHtml);
  QPoint at;
  ASSERT_TRUE(Spin([&] { return (at = FirstLinkCentre()).x() >= 0; }));

  // The page draws in a child widget that takes the mouse; on a busy machine
  // it comes some time after the load, and a click before it is lost.
  ASSERT_TRUE(Spin([&] { return view.Widget()->focusProxy() != nullptr; }, 10000));
  QWidget* target = view.Widget()->focusProxy();
  QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);
  if (!GetParam().opened.isEmpty() && !Spin([&] { return !opened.empty(); }, 3000)) {
    QTest::mouseClick(target, Qt::LeftButton, Qt::NoModifier, at);  // the renderer was not taking input yet
    ASSERT_TRUE(Spin([&] { return !opened.empty(); }, 10000));
  }
  Spin([] { return false; }, 500);  // a navigation, were there one, would have begun by now

  if (GetParam().opened.isEmpty()) {
    EXPECT_TRUE(opened.empty());
  }
  for (const QUrl& url : opened) EXPECT_EQ(url.toString(), GetParam().opened);
  EXPECT_EQ(view.Widget()->page()->url(), page);
  bool stillThere = false;
  view.GetElementHtml("CHAT_MAIN", [&](const std::string& html) { stillThere = html.find("<a ") != std::string::npos; });
  EXPECT_TRUE(Spin([&] { return stillThere; }, 5000));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TranscriptLinkClick,
    ::testing::Values(
        ClickCase{"WebAddress", ChatLine("see http://example.com/a?b=1&c=2."), "http://example.com/a?b=1&c=2"},
        // Lines never carry these, but were one in the page, it is refused.
        ClickCase{"OtherScheme", "<A HREF='ftp://a.b/'>ftp</A>", ""},
        ClickCase{"ProgramPage", "<A HREF='res://orvinta/154'>page</A>", ""}),
    [](const auto& info) { return std::string(info.param.name); });

// The desktop's opener finds no browser (as xdg-open without one): the caller hears of it.
TEST(BrowserOpener, TellsWhenNoBrowserTookTheAddress) {
  QTemporaryDir bin;
  ASSERT_TRUE(QFile::link("/bin/false", bin.filePath("xdg-open")));
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", bin.path().toLocal8Bit());
  bool failed = false;
  OpenInBrowser(QUrl("http://example.com/"), qApp, [&] { failed = true; });
  qputenv("PATH", path);
  EXPECT_TRUE(Spin([&] { return failed; }));
}

}  // namespace
}  // namespace orvinta::components
