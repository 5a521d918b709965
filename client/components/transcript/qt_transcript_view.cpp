#include "client/components/transcript/qt_transcript_view.h"

#include <QTimer>

#include "client/components/deferred_web_view.h"
#include "client/components/main_window.h"
#include "client/components/transcript/transcript_widget.h"
#include "protocol/guarded.h"

namespace orvinta::components {

QtTranscriptView::QtTranscriptView(const window::TranscriptLines& lines, const window::PortalConfig& portal,
                                   MainWindow* window)
    : widget_(new TranscriptWidget(lines, portal)), window_(window) {
  widget_->SetLinkFailed([this, alive = std::weak_ptr<bool>(alive_)] {
    const auto token = alive.lock();
    if (!token || !*token || !listener_) return;
    Guarded("a link no browser took", [&] { listener_->OnLinkNotOpened(); });
  });
  widget_->SetReachedTop([this, alive = std::weak_ptr<bool>(alive_)] {
    const auto token = alive.lock();
    if (!token || !*token || !listener_) return;
    Guarded("the oldest line reached", [&] { listener_->OnReachedTop(); });
  });
  if (!window_) return;
  window_->PlaceTranscript(widget_);
  // The portal's pages start the browser engine once a room's first lines are on screen.
  widget_->WhenChatLineDrawn([] { QTimer::singleShot(0, LetTheBrowserEngineIn); });
}

QtTranscriptView::~QtTranscriptView() {
  *alive_ = false;
  if (!widget_) return;
  if (window_) window_->ReleaseTranscript(widget_);
  // Now: the widget reads the lines, which may go right after the view.
  delete widget_;
}

void QtTranscriptView::LinesAdded() {
  if (widget_) widget_->LinesAdded();
}

void QtTranscriptView::LinesAddedInFront() {
  if (widget_) widget_->LinesAddedInFront();
}

void QtTranscriptView::JumpToNewest() {
  if (widget_) widget_->JumpToNewest();
}

void QtTranscriptView::LinesCleared() {
  if (widget_) widget_->LinesCleared();
}

void QtTranscriptView::Show(bool visible) {
  if (widget_) widget_->SetShown(visible);
}

std::unique_ptr<window::TranscriptView> QtTranscriptViewFactory::Create(const window::TranscriptLines& lines) {
  return std::make_unique<QtTranscriptView>(lines, portal_, window_);
}

}  // namespace orvinta::components
