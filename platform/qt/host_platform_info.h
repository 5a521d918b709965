#pragma once
// Reports this Linux host in the terms of the start-up check. The check asks
// for an NT-family system of version 5 or later; every Linux this program
// builds on qualifies, whatever its kernel's number, so the system reports a
// fixed supported version. The browser is the embedded engine.
#include "platform/platform_info.h"

namespace orvinta::platform::qt {

class HostPlatformInfo final : public PlatformInfo {
 public:
  static constexpr OsVersion kReportedOs{OsFamily::WinNT, 10, 0};

  OsVersion Os() const override { return kReportedOs; }
  std::optional<std::string> BrowserVersion() const override;
};

}  // namespace orvinta::platform::qt
