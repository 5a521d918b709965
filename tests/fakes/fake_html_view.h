#pragma once
// An in-memory page: the element operations work on a text document with a
// small tag matcher, so tests can read back what a real page would show.
#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/html_view.h"

namespace orvinta::fakes {

// Where an element sits in a document: [outerBegin, outerEnd) is the whole
// element, [innerBegin, innerEnd) its content.
struct ElementSpan {
  std::size_t outerBegin = 0, innerBegin = 0, innerEnd = 0, outerEnd = 0;
};
// The first element whose start tag carries ID=id (any case, quoted or not).
std::optional<ElementSpan> FindElement(const std::string& document, const std::string& id);

class FakeHtmlViewFactory;

class FakeHtmlView final : public platform::HtmlView {
 public:
  FakeHtmlView(platform::HtmlViewRole role, FakeHtmlViewFactory* owner);
  ~FakeHtmlView() override;

  void SetListener(platform::HtmlViewListener* listener) override { listener_ = listener; }
  void Navigate(const std::string& address) override { navigations.push_back(address); }
  void SetElementHtml(const std::string& id, const std::string& html) override;
  void AppendBeforeMarker(const std::string& markerId, const std::string& html) override;
  void GetElementHtml(const std::string& id, HtmlCallback callback) override;
  void ScrollToMarker(const std::string& markerId) override { scrolledTo.push_back(markerId); }
  void JumpToMarker(const std::string& markerId) override { jumpedTo.push_back(markerId); }
  void Show(bool shown) override { visible = shown; }

  // Test side.
  platform::FrameHandle frame() const { return reinterpret_cast<platform::FrameHandle>(this); }
  // The browser finishes loading `html`: navigate-complete, then document-complete.
  void FinishLoad(const std::string& html);
  void FireNavigateComplete(platform::FrameHandle f) { if (listener_) listener_->OnNavigateComplete(f); }
  void FireDocumentComplete(platform::FrameHandle f) { if (listener_) listener_->OnDocumentComplete(f); }
  void ClickLeft() { if (listener_) listener_->OnLeftButtonUp(); }
  void ClickRight() { if (listener_) listener_->OnRightButtonUp(); }
  void FailLink() { if (listener_) listener_->OnLinkNotOpened(); }
  // Answers every waiting GetElementHtml from the document as it is now.
  void AnswerReads();
  std::size_t pendingReads() const { return reads_.size(); }
  // Inner HTML of an element ("" when missing).
  std::string Inner(const std::string& id) const;

  const platform::HtmlViewRole role;
  std::string document;
  std::vector<std::string> navigations;
  std::vector<std::string> scrolledTo;
  std::vector<std::string> jumpedTo;
  bool visible = false;

 private:
  FakeHtmlViewFactory* owner_;
  platform::HtmlViewListener* listener_ = nullptr;
  std::deque<std::pair<std::string, HtmlCallback>> reads_;
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

class FakeHtmlViewFactory final : public platform::HtmlViewFactory {
 public:
  std::unique_ptr<platform::HtmlView> Create(platform::HtmlViewRole role) override;
  // Views alive now, in creation order.
  std::vector<FakeHtmlView*> live;
  FakeHtmlView* Find(platform::HtmlViewRole role, std::size_t nth = 0) const;
  // Answers the reads of every view until none is left waiting.
  void AnswerAllReads();
  std::size_t created = 0;

 private:
  friend class FakeHtmlView;
  void Forget(FakeHtmlView* view);
};

}  // namespace orvinta::fakes
