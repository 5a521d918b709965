#pragma once
// Reports this Linux host in the terms of the start-up check: the kernel's
// version as an NT-family system, and the embedded browser engine's version.
#include "platform/platform_info.h"

namespace orvinta::platform::qt {

class HostPlatformInfo final : public PlatformInfo {
 public:
  OsVersion Os() const override;
  std::optional<std::string> BrowserVersion() const override;
};

}  // namespace orvinta::platform::qt
