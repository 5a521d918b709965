#include "platform/qt/host_platform_info.h"

#include <QtWebEngineCore/qtwebenginecoreglobal.h>
#include <sys/utsname.h>

#include <cstdio>

namespace orvinta::platform::qt {

OsVersion HostPlatformInfo::Os() const {
  OsVersion version{OsFamily::WinNT, 0, 0};
  utsname name{};
  if (uname(&name) == 0) std::sscanf(name.release, "%u.%u", &version.major, &version.minor);
  return version;
}

std::optional<std::string> HostPlatformInfo::BrowserVersion() const {
  return std::string(qWebEngineChromiumVersion());
}

}  // namespace orvinta::platform::qt
