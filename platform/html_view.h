#pragma once
// One embedded HTML page, worked on by element id. Texts cross as code page
// 949 bytes; the adapter converts them to and from the browser's strings.
// Nothing is queued here: callers keep their own queue until the page has
// loaded (see client/window/page_queue.h).
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

namespace orvinta::platform {

// Identifies the top-level frame of a view's current document in load
// events; compared for identity only. Distinct views give distinct handles;
// 0 is never a frame.
using FrameHandle = std::uintptr_t;

class HtmlViewListener {
 public:
  virtual ~HtmlViewListener() = default;
  // The browser has navigated a frame (the top-level one comes first).
  virtual void OnNavigateComplete(FrameHandle frame) = 0;
  // A frame's document has finished loading.
  virtual void OnDocumentComplete(FrameHandle frame) = 0;
  // The left mouse button was released over the page or its view.
  virtual void OnLeftButtonUp() {}
  // The right mouse button was released over the page (reported by the member-list view).
  virtual void OnRightButtonUp() {}
  // The page asked for a new window on `address`; the view itself never opens one.
  virtual void OnNewWindowRequested(const std::string& /*address*/) {}
  // A link the user clicked could not be opened: no browser took it.
  virtual void OnLinkNotOpened() {}
};

class HtmlView {
 public:
  // Receives an element's inner HTML, or "" when the document or the element is missing.
  using HtmlCallback = std::function<void(const std::string& html)>;

  virtual ~HtmlView() = default;
  // Events go to at most one listener; nullptr stops them.
  virtual void SetListener(HtmlViewListener* listener) = 0;
  // Loads the address without reading from or writing to the browser's cache.
  virtual void Navigate(const std::string& address) = 0;
  // The element's inner HTML becomes html, exactly as given. Missing element: nothing.
  virtual void SetElementHtml(const std::string& id, const std::string& html) = 0;
  // The marker element's outer HTML becomes html + "\n<SPAN ID=" + markerId + "></SPAN>",
  // so that html lands in front of a fresh, empty marker. Missing marker: nothing.
  virtual void AppendBeforeMarker(const std::string& markerId, const std::string& html) = 0;
  // Asynchronous read of an element's inner HTML. Callbacks arrive on the event
  // loop in the order of the requests, never from inside this call, and never
  // after the view has been destroyed.
  virtual void GetElementHtml(const std::string& id, HtmlCallback callback) = 0;
  // Scrolls the element into view aligned with the bottom of the visible area.
  virtual void ScrollToMarker(const std::string& markerId) = 0;
  // The same, even where the view keeps a reader's place away from the newest
  // lines: the user's own line brings the view to it.
  virtual void JumpToMarker(const std::string& markerId) { ScrollToMarker(markerId); }
  virtual void Show(bool visible) = 0;
};

// What a view is for; the adapter chooses its widget and its event handling.
enum class HtmlViewRole {
  Home,           // the waiting room's view (launcher page 229, then the room list)
  Welcome,        // CWelcomeDlg: the portal's welcome page
  NavigationBar,  // CGNBDlg: the portal's navigation bar
};

class HtmlViewFactory {
 public:
  virtual ~HtmlViewFactory() = default;
  // A new hidden view; the window host places it.
  virtual std::unique_ptr<HtmlView> Create(HtmlViewRole role) = 0;
};

}  // namespace orvinta::platform
