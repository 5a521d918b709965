#pragma once
// The view of one channel. A room's is its lines and the native view that
// shows them; the waiting room's (the home view) is the portal's page (see
// HomePageView).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "client/window/home_page_view.h"
#include "client/window/page_queue.h"
#include "client/window/portal_config.h"
#include "client/window/timer_router.h"
#include "client/window/transcript_lines.h"
#include "client/window/transcript_view.h"
#include "platform/html_view.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"

namespace orvinta::window {

// What every view is made with; owned by the main window.
struct ViewContext {
  platform::HtmlViewFactory& views;
  TranscriptViewFactory* transcripts;  // none: rooms show no lines
  platform::WindowHost& host;
  TimerRouter& timers;
  FrameLatch& latch;  // the frame the home view waits for
  const PortalConfig& portal;
  const LaunchSettings& settings;
};

class CChatDlg final : public TranscriptViewListener {
 public:
  // `onLinkNotOpened`: a link clicked in the transcript found no browser;
  // `onReachedTop`: the reader scrolled to its oldest line.
  CChatDlg(const ViewContext& context, bool home, std::function<void()> onHomeClick,
           std::function<void()> onLinkNotOpened = {}, std::function<void()> onReachedTop = {});
  ~CChatDlg() override;
  CChatDlg(const CChatDlg&) = delete;
  CChatDlg& operator=(const CChatDlg&) = delete;

  bool IsHome() const { return home_ != nullptr; }
  // The home view starts: queue emptied, not loaded, its loading timer started.
  void Start() {
    if (home_) home_->Start();
  }
  // The home view's refresh: not loaded, queue emptied, the launcher again.
  void Reload() {
    if (home_) home_->Reload();
  }

  // The home view's page and its queue (rooms have none).
  PageQueue& Page() { return home_->Page(); }
  platform::HtmlView* HomePage() { return home_ ? &home_->View() : nullptr; }

  // The room's lines, shown by its view; saving reads them (LinesHtml).
  const TranscriptLines& Lines() const { return lines_; }
  void AddLine(TranscriptLine line);
  // Older lines above the oldest, the reader's place kept; how many were put.
  std::size_t AddLinesInFront(std::vector<TranscriptLine> lines);
  // The user's own line brings the view to the newest line.
  void JumpToNewest();
  // The screen cleared: no lines.
  void ClearLines();
  // The lines as the transcript element held them (see TranscriptHtml).
  std::string LinesHtml() const;
  // An element's inner HTML: a room's transcript element ("CHAT_MAIN") from
  // the lines (at once), anything else from the home page (later, from the
  // event loop).
  void ReadElementHtml(const std::string& id, platform::HtmlView::HtmlCallback callback);
  void Show(bool visible);

  // TranscriptViewListener.
  void OnLinkNotOpened() override {
    if (onLinkNotOpened_) onLinkNotOpened_();
  }
  void OnReachedTop() override {
    if (onReachedTop_) onReachedTop_();
  }

 private:
  const ViewContext& context_;
  std::function<void()> onLinkNotOpened_;
  std::function<void()> onReachedTop_;
  // Declared before the view that reads them.
  TranscriptLines lines_;
  std::unique_ptr<HomePageView> home_;          // home only
  std::unique_ptr<TranscriptView> transcript_;  // rooms only
};

}  // namespace orvinta::window
