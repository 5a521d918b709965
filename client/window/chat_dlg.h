#pragma once
// The transcript view of one channel: its page, the timers that load it, and
// the queue that holds lines until it has loaded. The waiting room's view
// (the home view) loads the launcher page instead and reports clicks.
#include <functional>
#include <memory>
#include <string>

#include "client/window/page_queue.h"
#include "client/window/portal_config.h"
#include "client/window/timer_router.h"
#include "client/window/transcript_lines.h"
#include "platform/html_view.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"

namespace orvinta::window {

// What every view is made with; owned by the main window.
struct ViewContext {
  platform::HtmlViewFactory& views;
  platform::WindowHost& host;
  TimerRouter& timers;
  FrameLatch& latch;  // one remembered frame for all transcript views
  const PortalConfig& portal;
  const LaunchSettings& settings;
};

class CChatDlg final : public platform::HtmlViewListener {
 public:
  // Page-loading timers of a view (local ids).
  enum Timer { kHomeNavigate = 1, kNavigate = 2, kRetry1 = 3, kRetry2 = 4, kRetry3 = 5 };

  // `onLinkNotOpened`: a link clicked in the page found no browser.
  CChatDlg(const ViewContext& context, bool home, std::function<void()> onHomeClick,
           std::function<void()> onLinkNotOpened = {});
  ~CChatDlg() override;
  CChatDlg(const CChatDlg&) = delete;
  CChatDlg& operator=(const CChatDlg&) = delete;

  // The view starts: queues emptied, not loaded, loading timers started.
  void Start();
  // The home view's refresh: not loaded, queues emptied, the launcher again.
  void Reload();

  PageQueue& Page() { return page_; }
  // The room's lines. A line added goes to the page as well; reading the
  // transcript back (saving) is answered from the lines, not from the page.
  const TranscriptLines& Lines() const { return lines_; }
  void AddLine(TranscriptLine line);
  // The screen cleared: no lines, and a page holding only the end marker.
  void ClearLines();
  // The transcript element's inner HTML, made from the lines.
  std::string LinesHtml() const;
  // An element's inner HTML: a room's transcript element from the lines (at
  // once), anything else from the page (later, from the event loop).
  void ReadElementHtml(const std::string& id, platform::HtmlView::HtmlCallback callback);
  platform::HtmlView& View() { return *view_; }
  void Show(bool visible) { view_->Show(visible); }

  // HtmlViewListener.
  void OnNavigateComplete(platform::FrameHandle frame) override;
  void OnDocumentComplete(platform::FrameHandle frame) override;
  void OnLeftButtonUp() override;
  void OnLinkNotOpened() override {
    if (onLinkNotOpened_) onLinkNotOpened_();
  }

 private:
  void OnTimer(int local);
  void NavigateTo(const std::string& address);
  std::string TranscriptAddress() const;
  std::string LauncherPageAddress() const;

  const ViewContext& context_;
  const bool home_;
  std::function<void()> onHomeClick_;
  std::function<void()> onLinkNotOpened_;
  std::unique_ptr<platform::HtmlView> view_;
  PageQueue page_;
  TranscriptLines lines_;
  std::unique_ptr<TimerBlock> timers_;
};

}  // namespace orvinta::window
