#pragma once
// An HTML view over QWebEngineView: element work by id through small scripts
// whose arguments are string literals, load events, and the left button.
#include <QPointer>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>
#include <functional>
#include <memory>

#include "platform/html_view.h"

namespace orvinta::components {

// Before the application object exists: the pages of one site share one
// renderer process instead of one each, and the engine starts no second zygote
// for helper processes without a sandbox (its network service runs inside the
// program), which would hold some 20 MiB for nothing.
void LeanEngineProcesses();

// The profile every view of the program uses.
QWebEngineProfile* ViewProfile();

// Made right after the application object: when it goes, the views that were
// let go after the event loop ended are deleted, before the browser engine
// shuts down with the application and finds their pages still there.
struct ViewsGoBeforeTheEngine {
  ViewsGoBeforeTheEngine() = default;
  ViewsGoBeforeTheEngine(const ViewsGoBeforeTheEngine&) = delete;
  ViewsGoBeforeTheEngine& operator=(const ViewsGoBeforeTheEngine&) = delete;
  ~ViewsGoBeforeTheEngine();
};

class WebPage final : public QWebEnginePage {
  Q_OBJECT
 public:
  using QWebEnginePage::QWebEnginePage;

 signals:
  void leftButtonUp();
  void rightButtonUp();

 protected:
  void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel level, const QString& message, int line,
                                const QString& source) override;
};

// A view that has a widget the main window can place.
class WidgetView : public platform::HtmlView {
 public:
  virtual QWidget* Widget() const = 0;
};

class WebView final : public WidgetView {
 public:
  explicit WebView(platform::HtmlViewRole role);
  ~WebView() override;

  void SetListener(platform::HtmlViewListener* listener) override { listener_ = listener; }
  void Navigate(const std::string& address) override;
  void SetElementHtml(const std::string& id, const std::string& html) override;
  void AppendBeforeMarker(const std::string& markerId, const std::string& html) override;
  void GetElementHtml(const std::string& id, HtmlCallback callback) override;
  void ScrollToMarker(const std::string& markerId) override;
  void JumpToMarker(const std::string& markerId) override;
  void Show(bool visible) override;

  QWebEngineView* Widget() const override { return view_; }

 private:
  void RunScript(const QString& script);
  enum class Flush { WhenIdle, Now };
  void ScheduleFlush();
  void FlushScripts(Flush when);
  void ForgetScriptsInFlight();
  void OnLoadFinished();

  platform::HtmlViewRole role_;
  QPointer<QWebEngineView> view_;
  QPointer<WebPage> page_;  // goes with view_, which its parent may delete
  platform::HtmlViewListener* listener_ = nullptr;
  platform::FrameHandle frame_ = 0;
  bool shownPage_ = false;  // a page has loaded into the view
  // Element work goes to the page as one script at a time; what is asked for
  // while the page runs one goes in the next, so a burst of lines costs a few
  // round trips, not one each.
  QString pendingScripts_;
  QString pendingScroll_;  // the marker to scroll to, as a literal; empty: none
  bool flushScheduled_ = false;
  int scriptsInFlight_ = 0;
  int generation_ = 0;  // answers of scripts sent before the last reset are ignored
  // Answers of GetElementHtml check it: none arrives after the view is gone.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class WebViewFactory final : public platform::HtmlViewFactory {
 public:
  std::unique_ptr<platform::HtmlView> Create(platform::HtmlViewRole role) override {
    return std::make_unique<WebView>(role);
  }
};

}  // namespace orvinta::components
