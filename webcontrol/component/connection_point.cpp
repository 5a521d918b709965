#include "webcontrol/component/connection_point.h"

#include <algorithm>

namespace orvinta::com {

std::uint32_t ConnectionPoint::Advise(EventSink& sink) {
  const std::uint32_t cookie = nextCookie_++;
  sinks_.emplace_back(cookie, &sink);
  return cookie;
}

void ConnectionPoint::Unadvise(std::uint32_t cookie) {
  std::erase_if(sinks_, [cookie](const auto& entry) { return entry.first == cookie; });
}

void ConnectionPoint::Fire(const MemberInfo& event, std::vector<std::string> values) {
  values.resize(event.params.size());
  const Event delivered{event.id, event.name, event.params, std::move(values)};
  const auto snapshot = sinks_;
  for (const auto& [cookie, sink] : snapshot) {
    const bool stillConnected =
        std::any_of(sinks_.begin(), sinks_.end(), [cookie = cookie](const auto& entry) { return entry.first == cookie; });
    if (stillConnected) sink->OnEvent(delivered);
  }
}

}  // namespace orvinta::com
