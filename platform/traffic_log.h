#pragma once
// The "Chat Monitor" log of protocol traffic. Colours are 0x00BBGGRR values.
#include <cstdint>
#include <string>

namespace orvinta::platform {

class TrafficLog {
 public:
  virtual ~TrafficLog() = default;
  virtual void AddLine(const std::string& text, std::uint32_t colour) = 0;
  // False while nothing would be written, so that callers need not build the line.
  virtual bool IsOn() const { return true; }
};

}  // namespace orvinta::platform
