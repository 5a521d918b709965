#include "platform/qt/host_platform_info.h"

#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace orvinta::platform::qt {

std::optional<std::string> HostPlatformInfo::BrowserVersion() const {
  return std::string(qWebEngineChromiumVersion());
}

}  // namespace orvinta::platform::qt
