// The portal panes over a real Qt WebEngine page, offscreen: a failed load
// keeps the content, new windows go to the browser only from the welcome
// pane, a click acts on GO_URL once, and keys never reach the page.
#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QKeyEvent>
#include <QUrl>
#include <QWebEnginePage>
#include <unistd.h>

#include "client/components/deferred_web_view.h"
#include "client/components/web_view.h"
#include "client/window/portal_pane.h"
#include "tests/fakes/fake_shell.h"
#include "tests/fakes/page_script.h"

namespace orvinta::components {
namespace {

void Settle(int ms) {
  QElapsedTimer clock;
  clock.start();
  while (clock.elapsed() < ms) QApplication::processEvents(QEventLoop::AllEvents, 10);
}

std::string DataUrl(const QString& html) {
  return QStringLiteral("data:text/html;charset=utf-8,%1")
      .arg(QString::fromLatin1(QUrl::toPercentEncoding(html)))
      .toStdString();
}

class PaneTest : public ::testing::Test {
 protected:
  void Open(platform::HtmlViewRole role, const QString& html) {
    pane = std::make_unique<window::CPortalPane>(views, role, shell);
    widget()->resize(400, 200);
    widget()->show();
    Load(DataUrl(html));
  }
  void Load(const std::string& address) {
    bool finished = false;
    QObject::connect(widget()->page(), &QWebEnginePage::loadFinished, widget(), [&] { finished = true; },
                     Qt::SingleShotConnection);
    pane->Start(address);
    ASSERT_TRUE(Spin([&] { return finished; }));
  }
  QWebEngineView* widget() { return static_cast<WebView&>(pane->View()).Widget(); }
  QVariant Script(const QString& script) { return RunScript(*widget()->page(), script, QWebEngineScript::MainWorld); }

  WebViewFactory views;
  fakes::FakeShell shell;
  std::unique_ptr<window::CPortalPane> pane;
};

TEST_F(PaneTest, FailedNavigationKeepsTheContent) {
  Open(platform::HtmlViewRole::NavigationBar, "<p id=MARK>menu</p>");
  Load("http://127.0.0.1:1/");  // nothing listens there
  Settle(300);
  EXPECT_EQ(Script("var e=document.getElementById('MARK');e?e.innerHTML:'gone'").toString(), "menu");
}

TEST_F(PaneTest, UnreachablePageShowsOurNoticeNotTheEngines) {
  for (const auto role : {platform::HtmlViewRole::Welcome, platform::HtmlViewRole::Home}) {
    pane = std::make_unique<window::CPortalPane>(views, role, shell);
    widget()->show();
    pane->Start("http://127.0.0.1:1/");  // nothing listens there
    EXPECT_TRUE(Spin([&] { return Script("document.body?document.body.innerText:''").toString() ==
                                  QString::fromUtf8("페이지를 불러오지 못했습니다."); }, 5000));
  }
}

TEST_F(PaneTest, NewWindowsGoToTheBrowserOnlyFromTheWelcomePane) {
  const QString opener = "<p>x</p><script>window.open('http://example.invalid/a?b=1');</script>";
  Open(platform::HtmlViewRole::NavigationBar, opener);
  Settle(500);
  EXPECT_TRUE(shell.urls.empty());
  Open(platform::HtmlViewRole::Welcome, opener);
  ASSERT_TRUE(Spin([&] { return !shell.urls.empty(); }, 5000));
  EXPECT_EQ(shell.urls, std::vector<std::string>{"http://example.invalid/a?b=1"});
}

TEST_F(PaneTest, ClickOpensGoUrlOnceAndIgnoresThePlaceholder) {
  Open(platform::HtmlViewRole::Welcome, "<span id=GO_URL>http</span>");
  const QString click = "document.dispatchEvent(new MouseEvent('mouseup',{button:0}));";
  Script(click);
  Settle(300);
  EXPECT_TRUE(shell.urls.empty());
  Script("document.getElementById('GO_URL').textContent='http://example.invalid/go?a=1&b=2';" + click);
  ASSERT_TRUE(Spin([&] { return !shell.urls.empty(); }, 5000));
  Settle(200);
  EXPECT_EQ(shell.urls, std::vector<std::string>{"http://example.invalid/go?a=1&b=2"});
}

TEST_F(PaneTest, KeysNeverReachThePage) {
  Open(platform::HtmlViewRole::Welcome,
       "<input id=IN autofocus><script>document.addEventListener('keydown',function(){"
       "document.title='typed';},true);</script>");
  Script("document.getElementById('IN').focus();");
  QWidget* target = widget()->focusProxy() ? widget()->focusProxy() : widget();
  target->setFocus();
  for (const int key : {Qt::Key_A, Qt::Key_Tab, Qt::Key_Return}) {
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, key == Qt::Key_A ? "a" : "");
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, key == Qt::Key_A ? "a" : "");
    QApplication::sendEvent(target, &press);
    QApplication::sendEvent(target, &release);
  }
  Settle(300);
  EXPECT_EQ(Script("document.title").toString(), "");
  EXPECT_EQ(Script("document.getElementById('IN').value").toString(), "");
}

// Until the engine is let in, a deferred view is a blank frame that keeps
// what it was asked; then its page starts where the logic left it.
TEST(DeferredPageTest, WaitsForTheEngineAndForItsShowingThenDoesWhatItWasAsked) {
  ASSERT_FALSE(BrowserEngineLetIn());  // nothing in this program has let it in yet
  DeferredWebView view(platform::HtmlViewRole::Welcome);
  DeferredWebView behindATab(platform::HtmlViewRole::Home);
  behindATab.Navigate(DataUrl("<p>waiting room</p>"));
  view.Navigate(DataUrl("<p id=MARK>welcome</p>"));
  std::string read = "none yet";
  view.GetElementHtml("MARK", [&](const std::string& html) { read = html; });
  view.Show(true);
  Settle(100);
  EXPECT_EQ(view.Page(), nullptr);
  EXPECT_EQ(read, "none yet");

  LetTheBrowserEngineIn();
  ASSERT_NE(view.Page(), nullptr);
  EXPECT_EQ(view.Page()->Widget()->parentWidget(), view.Widget());
  EXPECT_TRUE(Spin([&] { return read != "none yet"; }, 5000));
  EXPECT_TRUE(read == "welcome" || read.empty());  // read as soon as asked: before or after the load

  EXPECT_EQ(behindATab.Page(), nullptr);  // never shown: no page yet
  behindATab.Show(true);
  ASSERT_NE(behindATab.Page(), nullptr);
}

}  // namespace
}  // namespace orvinta::components
