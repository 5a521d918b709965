#pragma once
// The element operations of a page that may not have loaded yet: until it
// has, insertions and inner-HTML sets wait in two queues; on load the
// insertions are applied first, then the sets, each in arrival order.
#include <cstddef>
#include <deque>
#include <string>
#include <utility>

#include "platform/html_view.h"

namespace orvinta::window {

class PageQueue {
 public:
  // Lines a page that never loads may hold back; the oldest go first.
  static constexpr std::size_t kMaxPendingInsertions = 2000;

  // `setSuffix` is appended to every inner HTML set (the member-list pane adds "\n").
  explicit PageQueue(platform::HtmlView& view, std::string setSuffix = {})
      : view_(view), setSuffix_(std::move(setSuffix)) {}

  void SetElementHtml(const std::string& id, const std::string& html);
  void AppendBeforeMarker(const std::string& markerId, const std::string& html);
  // No queue: before the page has loaded it does nothing.
  void ScrollToMarker(const std::string& markerId);
  void JumpToMarker(const std::string& markerId) {
    if (loaded_) view_.JumpToMarker(markerId);
  }
  void GetElementHtml(const std::string& id, platform::HtmlView::HtmlCallback callback) {
    view_.GetElementHtml(id, std::move(callback));
  }

  // Not loaded, queues empty.
  void Reset();
  // Loaded: the waiting insertions, then the waiting sets.
  void MarkLoaded();
  bool IsLoaded() const { return loaded_; }

 private:
  using Pending = std::pair<std::string, std::string>;
  platform::HtmlView& view_;
  const std::string setSuffix_;
  bool loaded_ = false;
  std::deque<Pending> insertions_;
  std::deque<Pending> sets_;
};

// The top-level frame a view is waiting for. One latch may serve several
// views: the first navigate-complete keeps its frame until that frame's
// document has completed or its view lets go of it.
class FrameLatch {
 public:
  void OnNavigateComplete(const void* owner, platform::FrameHandle frame) {
    if (frame_ == 0 && frame != 0) {
      frame_ = frame;
      owner_ = owner;
    }
  }
  // True, and the latch is free again, when `frame` is the kept one.
  bool TakeIfKept(platform::FrameHandle frame) {
    if (frame == 0 || frame != frame_) return false;
    frame_ = 0;
    owner_ = nullptr;
    return true;
  }
  // A view that navigates anew or goes away gives up what it kept.
  void Release(const void* owner) {
    if (owner_ == owner) {
      frame_ = 0;
      owner_ = nullptr;
    }
  }

 private:
  platform::FrameHandle frame_ = 0;
  const void* owner_ = nullptr;
};

}  // namespace orvinta::window
