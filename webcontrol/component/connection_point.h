#pragma once
// The event side of a control: connected sinks, each called with the event's
// DISPID, name, parameter names and values.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "webcontrol/component/control.h"

namespace orvinta::com {

class ConnectionPoint {
 public:
  std::uint32_t Advise(EventSink& sink);
  void Unadvise(std::uint32_t cookie);
  // A sink that disconnects while an event is delivered gets no later event.
  void Fire(const MemberInfo& event, std::vector<std::string> values);
  std::size_t SinkCount() const { return sinks_.size(); }

 private:
  std::vector<std::pair<std::uint32_t, EventSink*>> sinks_;
  std::uint32_t nextCookie_ = 1;
};

}  // namespace orvinta::com
