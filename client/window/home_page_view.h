#pragma once
// The waiting room's view: the portal's launcher page, the timer that loads it
// a moment after the tab opens, and the queue that holds changes until it has
// loaded. A click in it is reported.
#include <functional>
#include <memory>

#include "client/window/page_queue.h"
#include "client/window/portal_config.h"
#include "client/window/timer_router.h"
#include "platform/html_view.h"
#include "protocol/launch_settings.h"

namespace orvinta::window {

class HomePageView final : public platform::HtmlViewListener {
 public:
  // The page-loading timer (a local id).
  enum Timer { kNavigate = 1 };

  HomePageView(platform::HtmlViewFactory& views, TimerRouter& timers, FrameLatch& latch, const PortalConfig& portal,
               const LaunchSettings& settings, std::function<void()> onClick, std::function<void()> onLinkNotOpened);
  ~HomePageView() override;
  HomePageView(const HomePageView&) = delete;
  HomePageView& operator=(const HomePageView&) = delete;

  // Queue emptied, not loaded, its loading timer started.
  void Start();
  // The refresh: not loaded, queue emptied, the launcher again.
  void Reload();

  PageQueue& Page() { return page_; }
  platform::HtmlView& View() { return *view_; }
  void Show(bool visible) { view_->Show(visible); }

  // HtmlViewListener.
  void OnNavigateComplete(platform::FrameHandle frame) override;
  void OnDocumentComplete(platform::FrameHandle frame) override;
  void OnLeftButtonUp() override;
  void OnLinkNotOpened() override;

 private:
  void OnTimer(int local);
  void NavigateToLauncher();

  FrameLatch& latch_;
  const PortalConfig& portal_;
  const LaunchSettings& settings_;
  std::function<void()> onClick_;
  std::function<void()> onLinkNotOpened_;
  std::unique_ptr<platform::HtmlView> view_;
  PageQueue page_;
  std::unique_ptr<TimerBlock> timers_;
};

}  // namespace orvinta::window
