#pragma once
// What a host sees of a control: scripting by DISPID, event sinks, property
// bags, the client site and in-place activation. Texts crossing these
// interfaces are UTF-8, as the page's script and markup are; a control
// converts to its own encoding behind them.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webcontrol/component/property_bag.h"
#include "webcontrol/component/result_codes.h"

namespace orvinta::com {

using DispId = std::int32_t;

// One entry of a dispatch table or of an event interface.
struct MemberInfo {
  DispId id = 0;
  std::string name;
  std::vector<std::string> params;
};

// One event as it reaches a sink: the event's entry and its argument values.
struct Event {
  DispId id = 0;
  std::string name;
  std::vector<std::string> paramNames;
  std::vector<std::string> values;
};

class EventSink {
 public:
  virtual ~EventSink() = default;
  virtual void OnEvent(const Event& event) = 0;
};

// The browser that hosts the page the control sits on.
class WebBrowser {
 public:
  virtual ~WebBrowser() = default;
  // The current document's cookie text, when there is a document.
  virtual std::optional<std::string> DocumentCookie() = 0;
};

class ClientSite {
 public:
  virtual ~ClientSite() = default;
  // The hosting browser, or nullptr when the container is not a browser.
  virtual WebBrowser* QueryWebBrowser() = 0;
};

struct Rect {
  int x = 0;
  int y = 0;
  int width = 0;
  int height = 0;
};

// A native parent window, as the host's toolkit knows it (a QWidget* in ours).
using NativeWindow = void*;

class Control {
 public:
  virtual ~Control() = default;

  // Scripting. Names are looked up without regard to case.
  virtual HRESULT GetIdOfName(std::string_view name, DispId& id) const = 0;
  virtual HRESULT Invoke(DispId id, const std::vector<std::string>& args) = 0;
  // The run-time dispatch table, for hosts that bind names ahead of calls.
  virtual std::vector<MemberInfo> Members() const = 0;

  // Events: the returned cookie is never 0.
  virtual std::uint32_t Advise(EventSink& sink) = 0;
  virtual void Unadvise(std::uint32_t cookie) = 0;

  // Persistence.
  virtual HRESULT InitNew() = 0;
  virtual HRESULT Load(const PropertyBag& bag) = 0;
  virtual HRESULT Save(PropertyBag& bag) = 0;

  // Site and activation.
  virtual void SetClientSite(ClientSite* site) = 0;
  // Creates the control's window inside `parent`; a failure leaves the page without it.
  virtual HRESULT CreateControlWindow(NativeWindow parent) = 0;
  // A drawing pass over the control's bounds in its container.
  virtual void Draw(const Rect& bounds) = 0;
};

class ClassFactory {
 public:
  virtual ~ClassFactory() = default;
  virtual HRESULT CreateInstance(std::unique_ptr<Control>& out) = 0;
};

}  // namespace orvinta::com
