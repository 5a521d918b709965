#include "client/components/web_view.h"

#include <QChildEvent>
#include <QCoreApplication>
#include <QTimer>
#include <QWebEngineLoadingInfo>
#include <QWebEngineNewWindowRequest>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "client/components/browser_opener.h"
#include "client/components/js_literal.h"
#include "client/components/transcript_find_bar.h"
#include "client/components/transcript_script.h"
#include "platform/qt/qt_text.h"
#include "protocol/guarded.h"

namespace orvinta::components {
namespace {

constexpr qsizetype kMaxPendingScript = 512 * 1024;
constexpr auto kLeftButtonUpMessage = "orvinta:left-button-up";
constexpr auto kRightButtonUpMessage = "orvinta:right-button-up";

// The portal's panes never take keyboard input: key events stop at the view.
class KeyBlocker final : public QObject {
 public:
  using QObject::QObject;

  static void Install(QWidget* widget) {
    auto* blocker = new KeyBlocker(widget);
    widget->installEventFilter(blocker);
    for (QWidget* child : widget->findChildren<QWidget*>()) child->installEventFilter(blocker);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    switch (event->type()) {
      case QEvent::ChildAdded:
        // The browser's render widget comes and goes with its pages.
        if (auto* child = qobject_cast<QWidget*>(static_cast<QChildEvent*>(event)->child())) {
          child->installEventFilter(this);
        }
        return false;
      case QEvent::KeyPress:
      case QEvent::KeyRelease:
      case QEvent::ShortcutOverride:
      case QEvent::InputMethod:
        return true;
      default:
        return QObject::eventFilter(watched, event);
    }
  }
};

// Only web addresses with a host leave the program from a transcript.
bool IsWebAddress(const QUrl& url) {
  constexpr qsizetype kMaxAddress = 4096;  // as long as a line's link may be
  const QString scheme = url.scheme();
  return url.isValid() && url.toEncoded().size() <= kMaxAddress && (scheme == QLatin1String("http") || scheme == QLatin1String("https")) &&
         !url.host().isEmpty();
}

bool IsPortalPane(platform::HtmlViewRole role) {
  return role == platform::HtmlViewRole::Welcome || role == platform::HtmlViewRole::NavigationBar;
}

// Views that show the portal's pages: the panes and the waiting room.
bool ShowsPortalPages(platform::HtmlViewRole role) { return IsPortalPane(role) || role == platform::HtmlViewRole::Home; }

// A load that could not reach its server (as opposed to one a newer load replaced).
bool IsUnreachable(const QWebEngineLoadingInfo& info) {
  if (info.status() != QWebEngineLoadingInfo::LoadFailedStatus) return false;
  switch (info.errorDomain()) {
    case QWebEngineLoadingInfo::ConnectionErrorDomain:
    case QWebEngineLoadingInfo::CertificateErrorDomain:
    case QWebEngineLoadingInfo::HttpErrorDomain:
    case QWebEngineLoadingInfo::FtpErrorDomain:
    case QWebEngineLoadingInfo::DnsErrorDomain:
      return true;
    default:
      return false;
  }
}

// What a portal view shows instead of the browser engine's own error page.
QString UnreachableNotice() {
  return QStringLiteral(
      "<!DOCTYPE html><html lang=ko><head><meta charset=utf-8><style>body{margin:0;padding:12px;"
      "font:12px \"굴림\",\"NanumGothic\",sans-serif;color:#777;background:#fcfcfc;overflow:hidden}</style></head>"
      "<body>페이지를 불러오지 못했습니다.</body></html>");
}

// A hidden view scrolls when it is shown again. A transcript follows the
// newest line only while its reader is at the bottom, unless `jump` is asked.
QString ScrollScript(const QString& markerLiteral, bool jump) {
  return QStringLiteral("(function(id,jump){window.orvintaScrollTo=id;if(jump)window.orvintaJump=true;"
                        "if(window.orvintaScrollPending)return;"
                        "window.orvintaScrollPending=true;requestAnimationFrame(function(){"
                        "window.orvintaScrollPending=false;var t=window.orvintaTranscript;"
                        "var j=window.orvintaJump;window.orvintaJump=false;"
                        "if(t){if(j)t.jump(window.orvintaScrollTo);else t.follow(window.orvintaScrollTo);return;}"
                        "var e=document.getElementById(window.orvintaScrollTo);"
                        "if(e)e.scrollIntoView(false);});})(%1,%2);")
      .arg(markerLiteral, jump ? QStringLiteral("true") : QStringLiteral("false"));
}

// The page script finds; its answer is [position, count].
TranscriptFindBar::Finder PageFinder(QWebEnginePage* page) {
  const auto run = [page](const QString& script, const TranscriptFindBar::Answer& answer) {
    page->runJavaScript(QStringLiteral("(function(){var t=window.orvintaTranscript;return t?%1:[0,0];})()").arg(script),
                        QWebEngineScript::ApplicationWorld, [answer](const QVariant& result) {
                          const QVariantList list = result.toList();
                          answer(list.value(0).toInt(), list.value(1).toInt());
                        });
  };
  return {[run](const QString& query, TranscriptFindBar::Answer answer) {
            run(QStringLiteral("window.orvintaTranscript.find(%1)").arg(JsLiteral(query)), answer);
          },
          [run](int step, TranscriptFindBar::Answer answer) {
            run(QStringLiteral("window.orvintaTranscript.findNext(%1)").arg(step), answer);
          }};
}

}  // namespace

void ShareRendererProcesses() {
  constexpr char kFlag[] = "--process-per-site";
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  if (flags.contains(kFlag)) return;
  if (!flags.isEmpty()) flags += ' ';
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags + kFlag);
}

// One profile for all views: nothing cached, nothing kept on disk.
QWebEngineProfile* ViewProfile() {
  static QWebEngineProfile* profile = [] {
    auto* p = new QWebEngineProfile();
    p->setHttpCacheType(QWebEngineProfile::NoCache);
    p->setPersistentCookiesPolicy(QWebEngineProfile::NoPersistentCookies);
    QWebEngineScript mouseUp;
    mouseUp.setName(QStringLiteral("orvinta-left-button"));
    mouseUp.setInjectionPoint(QWebEngineScript::DocumentCreation);
    mouseUp.setWorldId(QWebEngineScript::ApplicationWorld);
    mouseUp.setSourceCode(QStringLiteral(
        "document.addEventListener('mouseup', function (e) { if (e.button === 0) console.log('%1');"
        " else if (e.button === 2) console.log('%2'); }, true);")
                              .arg(kLeftButtonUpMessage, kRightButtonUpMessage));
    p->scripts()->insert(mouseUp);
    return p;
  }();
  return profile;
}

ViewsGoBeforeTheEngine::~ViewsGoBeforeTheEngine() {
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                       const QString&) {
  if (message == QLatin1String(kLeftButtonUpMessage)) emit leftButtonUp();
  if (message == QLatin1String(kRightButtonUpMessage)) emit rightButtonUp();
}

bool WebPage::acceptNavigationRequest(const QUrl& url, NavigationType type, bool isMainFrame) {
  if (type == NavigationTypeLinkClicked && FollowLink(url)) return false;
  return QWebEnginePage::acceptNavigationRequest(url, type, isMainFrame);
}

bool WebPage::FollowLink(const QUrl& url) {
  if (!linkOpener_) return false;
  if (IsWebAddress(url)) Guarded("a link in a transcript", [&] { linkOpener_(url); });
  return true;
}

WebView::WebView(platform::HtmlViewRole role) : role_(role), view_(new QWebEngineView) {
  page_ = new WebPage(ViewProfile(), view_);
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->hide();
  page_->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
  if (role_ == platform::HtmlViewRole::Transcript) {
    QWebEngineScript transcript;
    transcript.setName(QStringLiteral("orvinta-transcript"));
    transcript.setInjectionPoint(QWebEngineScript::DocumentCreation);
    transcript.setWorldId(QWebEngineScript::ApplicationWorld);
    transcript.setSourceCode(TranscriptScript());
    page_->scripts().insert(transcript);
    new TranscriptFindBar(view_, PageFinder(page_));
    // Links in lines open in the user's browser; the transcript stays where it is.
    page_->OpenLinksWith([this, alive = std::weak_ptr<bool>(alive_)](const QUrl& url) {
      OpenInBrowser(url, view_, [this, alive] {
        const auto token = alive.lock();
        if (token && *token && listener_) listener_->OnLinkNotOpened();
      });
    });
  }
  // A load that failed or was replaced by a newer one reports nothing: the
  // lines waiting for the page must go into the page that stays.
  QObject::connect(page_, &QWebEnginePage::loadFinished, view_, [this](bool ok) {
    if (ok) Guarded("a page load", [&] { OnLoadFinished(); });
  });
  // A page whose process has gone answers nothing more: stop waiting for it.
  QObject::connect(page_, &QWebEnginePage::renderProcessTerminated, view_, [this] { ForgetScriptsInFlight(); });
  QObject::connect(page_, &WebPage::leftButtonUp, view_, [this] {
    Guarded("a click on a page", [&] {
      if (listener_) listener_->OnLeftButtonUp();
    });
  });
  QObject::connect(page_, &WebPage::rightButtonUp, view_, [this] {
    Guarded("a right click on a page", [&] {
      if (listener_) listener_->OnRightButtonUp();
    });
  });
  // A window the page asks for is never opened here; the pane decides what
  // becomes of its address.
  QObject::connect(page_, &QWebEnginePage::newWindowRequested, view_, [this](QWebEngineNewWindowRequest& request) {
    // A middle or Ctrl click on a transcript's link asks for a window: it is the link's.
    if (request.isUserInitiated() && page_->FollowLink(request.requestedUrl())) return;
    Guarded("a page's new window", [&] {
      if (listener_) listener_->OnNewWindowRequested(platform::qt::ToCp949(request.requestedUrl().toString()));
    });
  });
  if (ShowsPortalPages(role_)) {
    // The engine's own error page never shows: a pane keeps the page it
    // showed, and a view with none (or the waiting room, whose page is the
    // room list) shows a short notice of ours.
    page_->settings()->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    QObject::connect(page_, &QWebEnginePage::loadingChanged, view_, [this](const QWebEngineLoadingInfo& info) {
      if (info.status() == QWebEngineLoadingInfo::LoadSucceededStatus) shownPage_ = true;
      if (!IsUnreachable(info) || (shownPage_ && role_ != platform::HtmlViewRole::Home)) return;
      page_->setHtml(UnreachableNotice(), QUrl(QStringLiteral("about:blank")));
    });
  }
  if (IsPortalPane(role_)) {
    // Windows the page opens come to the pane, which hands them on or refuses them.
    page_->settings()->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, true);
    KeyBlocker::Install(view_);
  }
}

WebView::~WebView() {
  *alive_ = false;
  if (!view_) return;
  QObject::disconnect(page_, nullptr, view_, nullptr);
  view_->hide();
  view_->deleteLater();
}

void WebView::OnLoadFinished() {
  // Each load gets a frame handle of its own, so a stale handle never matches.
  static platform::FrameHandle next = 0;
  frame_ = ++next;
  if (!listener_) return;
  const platform::FrameHandle frame = frame_;
  listener_->OnNavigateComplete(frame);
  if (listener_) listener_->OnDocumentComplete(frame);
}

void WebView::Navigate(const std::string& address) {
  // Work meant for the page being replaced goes with it, and answers from
  // that page no longer hold back the new one.
  ForgetScriptsInFlight();
  pendingScripts_.clear();
  pendingLines_.clear();
  pendingScroll_.clear();
  pendingJump_ = false;
  if (view_) view_->load(QUrl(platform::qt::FromCp949(address)));
}

void WebView::ForgetScriptsInFlight() {
  ++generation_;
  scriptsInFlight_ = 0;
}

void WebView::RunScript(const QString& script) {
  QueueLines();
  pendingScripts_ += script;
  ScheduleFlush();
}

void WebView::ScheduleFlush() {
  if (pendingScripts_.size() + pendingLines_.size() > kMaxPendingScript) return FlushScripts(Flush::Now);
  if (flushScheduled_ || !view_) return;
  flushScheduled_ = true;
  std::weak_ptr<bool> alive = alive_;
  QTimer::singleShot(0, view_, [this, alive] {
    const auto token = alive.lock();
    if (token && *token) FlushScripts(Flush::WhenIdle);
  });
}

void WebView::FlushScripts(Flush when) {
  flushScheduled_ = false;
  // While the page works through one script, what comes meanwhile waits and
  // goes as one: a fast room costs a script per page turn, not one per line.
  if (when == Flush::WhenIdle && scriptsInFlight_ > 0) return;
  QueueLines();
  if (!pendingScroll_.isEmpty()) {
    pendingScripts_ += ScrollScript(pendingScroll_, pendingJump_);
    pendingScroll_.clear();
    pendingJump_ = false;
  }
  if (pendingScripts_.isEmpty() || !page_) return;
  ++scriptsInFlight_;
  std::weak_ptr<bool> alive = alive_;
  const int generation = generation_;
  page_->runJavaScript(pendingScripts_, QWebEngineScript::ApplicationWorld, [this, alive, generation](const QVariant&) {
    const auto token = alive.lock();
    if (!token || !*token || generation != generation_) return;
    if (scriptsInFlight_ > 0) --scriptsInFlight_;
    FlushScripts(Flush::WhenIdle);
  });
  pendingScripts_.clear();
}

void WebView::QueueLines() {
  if (pendingLines_.isEmpty()) return;
  // Scripts of a turn run as one: nothing in them may throw.
  pendingScripts_ += QStringLiteral("if(window.orvintaTranscript)window.orvintaTranscript.append(%1,[%2]);")
                         .arg(pendingLinesMarker_, pendingLines_);
  pendingLines_.clear();
}

void WebView::SetElementHtml(const std::string& id, const std::string& html) {
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.innerHTML=%2;})();")
                .arg(JsLiteral(platform::qt::FromCp949(id)), JsLiteral(platform::qt::FromCp949(html))));
}

void WebView::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  // The same page as rewriting the marker's outer HTML to html + "\n" + an
  // empty marker, without re-creating the marker for every line.
  const QString id = JsLiteral(platform::qt::FromCp949(markerId));
  const QString fragment = JsLiteral(platform::qt::FromCp949(html) + QLatin1Char('\n'));
  if (role_ != platform::HtmlViewRole::Transcript) {
    RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.insertAdjacentHTML('beforebegin',%2);})();")
                  .arg(id, fragment));
    return;
  }
  if (!pendingLines_.isEmpty() && id != pendingLinesMarker_) QueueLines();
  pendingLinesMarker_ = id;
  if (!pendingLines_.isEmpty()) pendingLines_ += QLatin1Char(',');
  pendingLines_ += fragment;
  ScheduleFlush();
}

void WebView::GetElementHtml(const std::string& id, HtmlCallback callback) {
  std::weak_ptr<bool> alive = alive_;
  if (!page_) {
    // No page, no element: the answer is empty, and still comes from the loop.
    QTimer::singleShot(0, QCoreApplication::instance(), [alive, callback = std::move(callback)] {
      const auto token = alive.lock();
      if (token && *token) Guarded("a page's answer", [&] { callback(std::string()); });
    });
    return;
  }
  FlushScripts(Flush::Now);  // the answer must see every change asked for before it
  page_->runJavaScript(
      QStringLiteral("(function(){var e=document.getElementById(%1);if(!e)return '';"
                     "var t=window.orvintaTranscript;return t?t.html(e):e.innerHTML;})();")
          .arg(JsLiteral(platform::qt::FromCp949(id))),
      QWebEngineScript::ApplicationWorld, [alive, callback = std::move(callback)](const QVariant& result) {
        const auto token = alive.lock();
        if (!token || !*token) return;
        Guarded("a page's answer", [&] { callback(platform::qt::ToCp949(result.toString())); });
      });
}

void WebView::ScrollToMarker(const std::string& markerId) {
  // Scrolling lays the page out, so it waits for the next frame and happens
  // once however many lines came; it goes after everything else of the turn.
  pendingScroll_ = JsLiteral(platform::qt::FromCp949(markerId));
  ScheduleFlush();
}

void WebView::JumpToMarker(const std::string& markerId) {
  ScrollToMarker(markerId);
  pendingJump_ = true;
}

void WebView::Show(bool visible) {
  if (view_) view_->setVisible(visible);
}

}  // namespace orvinta::components
