#pragma once
// Views of the portal's pages (the navigation bar, the welcome pane, the
// waiting room) without the browser engine until it is let in: starting the
// engine costs the main thread about a second, which must not come between a
// start and the first room's lines. Until then, and until it first shows, a
// view is a blank widget that keeps what it was asked to do and does it once
// its page is made.
#include <QPointer>
#include <QWidget>
#include <functional>
#include <memory>
#include <vector>

#include "client/components/web_view.h"

namespace orvinta::components {

// Lets the browser engine in: every deferred view made so far, and every one
// made from now on, gets its page when it first shows. Once is enough; later
// calls do nothing.
void LetTheBrowserEngineIn();
bool BrowserEngineLetIn();

class DeferredWebView final : public WidgetView {
 public:
  explicit DeferredWebView(platform::HtmlViewRole role);
  ~DeferredWebView() override;

  void SetListener(platform::HtmlViewListener* listener) override;
  void Navigate(const std::string& address) override;
  void SetElementHtml(const std::string& id, const std::string& html) override;
  void AppendBeforeMarker(const std::string& markerId, const std::string& html) override;
  void GetElementHtml(const std::string& id, HtmlCallback callback) override;
  void ScrollToMarker(const std::string& markerId) override;
  void JumpToMarker(const std::string& markerId) override;
  void Show(bool visible) override;

  QWidget* Widget() const override { return frame_; }
  // The engine's view once the engine is in; null before.
  WebView* Page() const { return page_.get(); }

 private:
  using Step = std::function<void(platform::HtmlView&)>;
  void Do(Step step);
  void MakePageWhenDue();  // once the engine is in and the view first shows
  void MakePage();

  // A page asks for a few steps before it has loaded; a hostile flood of them
  // before the page is made keeps only the newest.
  static constexpr std::size_t kMaxHeldSteps = 256;

  const platform::HtmlViewRole role_;
  QPointer<QWidget> frame_;
  QObject* showWatch_ = nullptr;  // the frame's, while the frame lives
  std::unique_ptr<WebView> page_;
  platform::HtmlViewListener* listener_ = nullptr;
  std::vector<Step> held_;
};

class DeferredWebViewFactory final : public platform::HtmlViewFactory {
 public:
  std::unique_ptr<platform::HtmlView> Create(platform::HtmlViewRole role) override {
    return std::make_unique<DeferredWebView>(role);
  }
};

}  // namespace orvinta::components
