#include "client/components/web_view.h"

#include <QTimer>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "client/components/js_literal.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

constexpr qsizetype kMaxPendingScript = 512 * 1024;
constexpr int kLinesPerBlock = 100;
constexpr auto kLeftButtonUpMessage = "orvinta:left-button-up";

}  // namespace

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
        "document.addEventListener('mouseup', function (e) { if (e.button === 0) console.log('%1'); }, true);")
                              .arg(kLeftButtonUpMessage));
    p->scripts()->insert(mouseUp);
    return p;
  }();
  return profile;
}

void WebPage::javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString& message, int,
                                       const QString&) {
  if (message == QLatin1String(kLeftButtonUpMessage)) emit leftButtonUp();
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
    if (ok) OnLoadFinished();
  });
  QObject::connect(page_, &WebPage::leftButtonUp, view_, [this] {
    if (listener_) listener_->OnLeftButtonUp();
  });
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
  // Work meant for the page being replaced goes with it.
  pendingScripts_.clear();
  if (view_) view_->load(QUrl(platform::qt::FromCp949(address)));
}

void WebView::RunScript(const QString& script) {
  pendingScripts_ += script;
  if (pendingScripts_.size() > kMaxPendingScript) return FlushScripts();
  if (flushScheduled_ || !view_) return;
  flushScheduled_ = true;
  std::weak_ptr<bool> alive = alive_;
  QTimer::singleShot(0, view_, [this, alive] {
    const auto token = alive.lock();
    if (token && *token) FlushScripts();
  });
}

void WebView::FlushScripts() {
  flushScheduled_ = false;
  if (pendingScripts_.isEmpty() || !page_) return;
  page_->runJavaScript(pendingScripts_, QWebEngineScript::ApplicationWorld);
  pendingScripts_.clear();
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
  // A transcript keeps its lines in blocks of a hundred, so that laying out
  // the page after a new line touches the last block only, however long the
  // transcript has grown.
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(!e)return;"
                           "var b=e.previousElementSibling;"
                           "if(!b||b.className!=='orvinta-lines'||b.childElementCount>=%3){"
                           "b=document.createElement('div');b.className='orvinta-lines';b.style.cssText='content-visibility:auto;contain-intrinsic-size:auto 2500px';e.parentNode.insertBefore(b,e);}"
                           "b.insertAdjacentHTML('beforeend',%2);})();")
                .arg(id, fragment)
                .arg(kLinesPerBlock));
}

void WebView::GetElementHtml(const std::string& id, HtmlCallback callback) {
  if (!page_) return;
  FlushScripts();  // the answer must see every change asked for before it
  std::weak_ptr<bool> alive = alive_;
  page_->runJavaScript(
      QStringLiteral("(function(){var e=document.getElementById(%1);return e?e.innerHTML:'';})();")
          .arg(JsLiteral(platform::qt::FromCp949(id))),
      QWebEngineScript::ApplicationWorld, [alive, callback = std::move(callback)](const QVariant& result) {
        const auto token = alive.lock();
        if (!token || !*token) return;
        callback(platform::qt::ToCp949(result.toString()));
      });
}

void WebView::ScrollToMarker(const std::string& markerId) {
  // Scrolling lays the page out; many lines in one frame scroll once, at the
  // next frame (a hidden view scrolls when it is shown again).
  RunScript(QStringLiteral("(function(id){window.orvintaScrollTo=id;if(window.orvintaScrollPending)return;"
                           "window.orvintaScrollPending=true;requestAnimationFrame(function(){"
                           "window.orvintaScrollPending=false;var e=document.getElementById(window.orvintaScrollTo);"
                           "if(e)e.scrollIntoView(false);});})(%1);")
                .arg(JsLiteral(platform::qt::FromCp949(markerId))));
}

void WebView::Show(bool visible) {
  if (view_) view_->setVisible(visible);
}

}  // namespace orvinta::components
