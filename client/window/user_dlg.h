#pragma once
// The member-list pane: page 154 with its own loaded flag and queue.
#include <functional>
#include <memory>

#include "client/window/page_queue.h"
#include "client/window/portal_config.h"
#include "platform/html_view.h"

namespace orvinta::window {

class CUserDlg final : public platform::HtmlViewListener {
 public:
  // `onLoaded` runs once the page has loaded and the queues are applied.
  CUserDlg(platform::HtmlViewFactory& views, const PortalConfig& portal, std::function<void()> onLoaded);
  ~CUserDlg() override;
  CUserDlg(const CUserDlg&) = delete;
  CUserDlg& operator=(const CUserDlg&) = delete;

  // Navigates to the member-list page.
  void Start();
  PageQueue& Page() { return page_; }
  platform::HtmlView& View() { return *view_; }
  void Show(bool visible) { view_->Show(visible); }
  // Runs on every left- and right-button release over the list (the member menu).
  void SetButtonUpHandler(std::function<void()> handler) { onButtonUp_ = std::move(handler); }

  void OnNavigateComplete(platform::FrameHandle frame) override { latch_.OnNavigateComplete(this, frame); }
  void OnDocumentComplete(platform::FrameHandle frame) override;
  void OnLeftButtonUp() override { ButtonUp(); }
  void OnRightButtonUp() override { ButtonUp(); }

 private:
  void ButtonUp() {
    if (onButtonUp_) onButtonUp_();
  }

  const PortalConfig& portal_;
  std::function<void()> onLoaded_;
  std::function<void()> onButtonUp_;
  std::unique_ptr<platform::HtmlView> view_;
  PageQueue page_;
  FrameLatch latch_;
};

}  // namespace orvinta::window
