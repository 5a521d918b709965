#include "client/window/home_page_view.h"

#include "client/window/resource_address.h"

namespace orvinta::window {
namespace {
constexpr int kNavigateDelayMs = 200;
}

HomePageView::HomePageView(platform::HtmlViewFactory& views, TimerRouter& timers, FrameLatch& latch,
                           const PortalConfig& portal, const LaunchSettings& settings, std::function<void()> onClick,
                           std::function<void()> onLinkNotOpened)
    : latch_(latch),
      portal_(portal),
      settings_(settings),
      onClick_(std::move(onClick)),
      onLinkNotOpened_(std::move(onLinkNotOpened)),
      view_(views.Create(platform::HtmlViewRole::Home)),
      page_(*view_),
      timers_(timers.OpenBlock([this](int local) { OnTimer(local); })) {
  view_->SetListener(this);
}

HomePageView::~HomePageView() {
  view_->SetListener(nullptr);
  latch_.Release(this);
  timers_.reset();
}

void HomePageView::Start() {
  page_.Reset();
  timers_->Set(kNavigate, kNavigateDelayMs);
}

void HomePageView::Reload() {
  page_.Reset();
  NavigateToLauncher();
}

void HomePageView::NavigateToLauncher() {
  // A frame this view was still waiting for will not complete any more.
  latch_.Release(this);
  view_->Navigate(LauncherAddress(portal_, settings_.UserId, settings_.SessionKey));
}

void HomePageView::OnTimer(int local) {
  timers_->Kill(local);
  if (local == kNavigate) NavigateToLauncher();
}

void HomePageView::OnNavigateComplete(platform::FrameHandle frame) { latch_.OnNavigateComplete(this, frame); }

void HomePageView::OnDocumentComplete(platform::FrameHandle frame) {
  if (latch_.TakeIfKept(frame)) page_.MarkLoaded();
}

void HomePageView::OnLeftButtonUp() {
  if (onClick_) onClick_();
}

void HomePageView::OnLinkNotOpened() {
  if (onLinkNotOpened_) onLinkNotOpened_();
}

}  // namespace orvinta::window
