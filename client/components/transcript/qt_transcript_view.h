#pragma once
// The transcript view port on the main window: each room's native view lies
// where the transcripts go and follows the window's anchors.
#include <QPointer>
#include <memory>

#include "client/window/portal_config.h"
#include "client/window/transcript_view.h"

namespace orvinta::components {

class MainWindow;
class TranscriptWidget;

class QtTranscriptView final : public window::TranscriptView {
 public:
  QtTranscriptView(const window::TranscriptLines& lines, const window::PortalConfig& portal, MainWindow* window);
  ~QtTranscriptView() override;

  void SetListener(window::TranscriptViewListener* listener) override { listener_ = listener; }
  void LinesAdded() override;
  void LinesAddedInFront() override;
  void JumpToNewest() override;
  void LinesCleared() override;
  void Show(bool visible) override;

  TranscriptWidget* Widget() const { return widget_; }

 private:
  QPointer<TranscriptWidget> widget_;
  QPointer<MainWindow> window_;
  window::TranscriptViewListener* listener_ = nullptr;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class QtTranscriptViewFactory final : public window::TranscriptViewFactory {
 public:
  // Views go on `window` (nullptr: top-level widgets, for tests and benchmarks);
  // their pictures come from the portal's addresses.
  QtTranscriptViewFactory(MainWindow* window, window::PortalConfig portal)
      : window_(window), portal_(std::move(portal)) {}
  std::unique_ptr<window::TranscriptView> Create(const window::TranscriptLines& lines) override;

 private:
  MainWindow* window_;
  window::PortalConfig portal_;
};

}  // namespace orvinta::components
