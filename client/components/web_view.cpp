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

#include "client/components/js_literal.h"
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

// Scrolling lays the page out, so it waits for the next frame and happens
// once however many lines came.
QString ScrollScript(const QString& markerLiteral) {
  return QStringLiteral("(function(id){window.orvintaScrollTo=id;if(window.orvintaScrollPending)return;"
                        "window.orvintaScrollPending=true;requestAnimationFrame(function(){"
                        "window.orvintaScrollPending=false;"
                        "var e=document.getElementById(window.orvintaScrollTo);"
                        "if(e)e.scrollIntoView(false);});})(%1);")
      .arg(markerLiteral);
}

}  // namespace

void LeanEngineProcesses() {
  QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
  for (const char* flag : {"--process-per-site", "--no-unsandboxed-zygote"}) {
    if (flags.contains(flag)) continue;
    if (!flags.isEmpty()) flags += ' ';
    flags += flag;
  }
  qputenv("QTWEBENGINE_CHROMIUM_FLAGS", flags);
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

WebView::WebView(platform::HtmlViewRole role) : role_(role), view_(new QWebEngineView) {
  page_ = new WebPage(ViewProfile(), view_);
  view_->setPage(page_);
  view_->setContextMenuPolicy(Qt::NoContextMenu);
  view_->hide();
  page_->settings()->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);
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
  pendingScroll_.clear();
  if (view_) view_->load(QUrl(platform::qt::FromCp949(address)));
}

void WebView::ForgetScriptsInFlight() {
  ++generation_;
  scriptsInFlight_ = 0;
}

void WebView::RunScript(const QString& script) {
  pendingScripts_ += script;
  ScheduleFlush();
}

void WebView::ScheduleFlush() {
  if (pendingScripts_.size() > kMaxPendingScript) return FlushScripts(Flush::Now);
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
  if (!pendingScroll_.isEmpty()) {
    pendingScripts_ += ScrollScript(pendingScroll_);
    pendingScroll_.clear();
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

void WebView::SetElementHtml(const std::string& id, const std::string& html) {
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.innerHTML=%2;})();")
                .arg(JsLiteral(platform::qt::FromCp949(id)), JsLiteral(platform::qt::FromCp949(html))));
}

void WebView::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  // The same page as rewriting the marker's outer HTML to html + "\n" + an
  // empty marker, without re-creating the marker for every line.
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.insertAdjacentHTML('beforebegin',%2);})();")
                .arg(JsLiteral(platform::qt::FromCp949(markerId)),
                     JsLiteral(platform::qt::FromCp949(html) + QLatin1Char('\n'))));
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
      QStringLiteral("(function(){var e=document.getElementById(%1);return e?e.innerHTML:'';})();")
          .arg(JsLiteral(platform::qt::FromCp949(id))),
      QWebEngineScript::ApplicationWorld, [alive, callback = std::move(callback)](const QVariant& result) {
        const auto token = alive.lock();
        if (!token || !*token) return;
        Guarded("a page's answer", [&] { callback(platform::qt::ToCp949(result.toString())); });
      });
}

void WebView::ScrollToMarker(const std::string& markerId) {
  // It goes after everything else of the turn.
  pendingScroll_ = JsLiteral(platform::qt::FromCp949(markerId));
  ScheduleFlush();
}

void WebView::JumpToMarker(const std::string& markerId) { ScrollToMarker(markerId); }

void WebView::Show(bool visible) {
  if (view_) view_->setVisible(visible);
}

}  // namespace orvinta::components
