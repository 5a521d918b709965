#pragma once
// A side pane showing a portal page (the welcome pane and the navigation
// bar). A click lets the page name an address in its GO_URL element, which
// opens in the desktop's browser.
#include <memory>
#include <string>

#include "client/window/page_queue.h"
#include "platform/html_view.h"
#include "platform/shell.h"

namespace orvinta::window {

class CPortalPane final : public platform::HtmlViewListener {
 public:
  CPortalPane(platform::HtmlViewFactory& views, platform::HtmlViewRole role, platform::Shell& shell);
  ~CPortalPane() override;
  CPortalPane(const CPortalPane&) = delete;
  CPortalPane& operator=(const CPortalPane&) = delete;

  void Start(const std::string& address) { view_->Navigate(address); }
  platform::HtmlView& View() { return *view_; }
  void Show(bool visible) { view_->Show(visible); }

  // Loaded once the top-level frame's document has completed; never unloaded again.
  bool IsLoaded() const { return loaded_; }

  void OnNavigateComplete(platform::FrameHandle frame) override { latch_.OnNavigateComplete(this, frame); }
  void OnDocumentComplete(platform::FrameHandle frame) override {
    if (latch_.TakeIfKept(frame)) loaded_ = true;
  }
  void OnLeftButtonUp() override;
  // The welcome pane hands a new window's address to the desktop's browser;
  // the navigation bar refuses it.
  void OnNewWindowRequested(const std::string& address) override;

 private:
  const platform::HtmlViewRole role_;
  platform::Shell& shell_;
  std::unique_ptr<platform::HtmlView> view_;
  FrameLatch latch_;
  bool loaded_ = false;
};

// Opens an address a page asked for: only web addresses, never the page's
// "http" placeholder; when the desktop cannot open it, the system's browser
// program is started with it. True when it was handed to a browser.
bool OpenPageAddress(platform::Shell& shell, const std::string& address);
inline constexpr const char* kFallbackBrowser = "x-www-browser";

}  // namespace orvinta::window
