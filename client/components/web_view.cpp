#include "client/components/web_view.h"

#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineScriptCollection>
#include <QWebEngineSettings>

#include "client/components/js_literal.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

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
  if (view_) view_->load(QUrl(platform::qt::FromCp949(address)));
}

void WebView::RunScript(const QString& script) {
  if (page_) page_->runJavaScript(script, QWebEngineScript::ApplicationWorld);
}

void WebView::SetElementHtml(const std::string& id, const std::string& html) {
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.innerHTML=%2;})();")
                .arg(JsLiteral(platform::qt::FromCp949(id)), JsLiteral(platform::qt::FromCp949(html))));
}

void WebView::AppendBeforeMarker(const std::string& markerId, const std::string& html) {
  const QString id = platform::qt::FromCp949(markerId);
  const QString replacement = platform::qt::FromCp949(html) + QStringLiteral("\n<SPAN ID=") + id +
                              QStringLiteral("></SPAN>");
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.outerHTML=%2;})();")
                .arg(JsLiteral(id), JsLiteral(replacement)));
}

void WebView::GetElementHtml(const std::string& id, HtmlCallback callback) {
  if (!page_) return;
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
  RunScript(QStringLiteral("(function(){var e=document.getElementById(%1);if(e)e.scrollIntoView(false);})();")
                .arg(JsLiteral(platform::qt::FromCp949(markerId))));
}

void WebView::Show(bool visible) {
  if (view_) view_->setVisible(visible);
}

}  // namespace orvinta::components
