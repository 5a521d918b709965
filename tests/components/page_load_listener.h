#pragma once
// Marks a view's page queue loaded when its document completes, as the
// window's views do, for tests that drive a WebView on its own.
#include "client/window/page_queue.h"
#include "platform/html_view.h"

namespace orvinta::components {

class LoadListener final : public platform::HtmlViewListener {
 public:
  explicit LoadListener(window::PageQueue& queue) : queue_(queue) {}
  void OnNavigateComplete(platform::FrameHandle) override {}
  void OnDocumentComplete(platform::FrameHandle) override { queue_.MarkLoaded(); }

 private:
  window::PageQueue& queue_;
};

}  // namespace orvinta::components
