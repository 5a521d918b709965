#pragma once
// A transcript view that keeps no pixels: tests read the room's lines in the
// form the saved file has, and what the logic asked of it.
#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "client/window/line_html.h"
#include "client/window/transcript_view.h"

namespace orvinta::fakes {

class FakeTranscriptViewFactory;

class FakeTranscriptView final : public window::TranscriptView {
 public:
  FakeTranscriptView(const window::TranscriptLines& lines, const window::PortalConfig& portal,
                     std::vector<FakeTranscriptView*>& live)
      : lines(lines), portal_(portal), live_(live) {
    live_.push_back(this);
  }
  ~FakeTranscriptView() override { live_.erase(std::find(live_.begin(), live_.end(), this)); }

  void SetListener(window::TranscriptViewListener* listener) override { listener_ = listener; }
  void LinesAdded() override { ++added; }
  void LinesAddedInFront() override { ++addedInFront; }
  void JumpToNewest() override { ++jumps; }
  void LinesCleared() override { ++cleared; }
  void Show(bool shown) override { visible = shown; }

  // Test side: the lines as the saved file holds them.
  std::string Inner() const { return window::TranscriptHtml(lines, portal_); }
  void FailLink() {
    if (listener_) listener_->OnLinkNotOpened();
  }

  const window::TranscriptLines& lines;
  bool visible = false;
  int added = 0, addedInFront = 0, jumps = 0, cleared = 0;

 private:
  const window::PortalConfig& portal_;
  std::vector<FakeTranscriptView*>& live_;
  window::TranscriptViewListener* listener_ = nullptr;
};

class FakeTranscriptViewFactory final : public window::TranscriptViewFactory {
 public:
  explicit FakeTranscriptViewFactory(const window::PortalConfig& portal) : portal_(portal) {}
  std::unique_ptr<window::TranscriptView> Create(const window::TranscriptLines& lines) override {
    ++created;
    return std::make_unique<FakeTranscriptView>(lines, portal_, live);
  }
  std::vector<FakeTranscriptView*> live;  // in creation order
  int created = 0;

 private:
  const window::PortalConfig& portal_;
};

}  // namespace orvinta::fakes
