#pragma once
// What the host reports about itself in the terms the start-up check reads.
#include <optional>
#include <string>

namespace orvinta::platform {

enum class OsFamily { Win9x, WinNT, Other };

struct OsVersion {
  OsFamily family = OsFamily::Other;
  unsigned major = 0;
  unsigned minor = 0;
};

class PlatformInfo {
 public:
  virtual ~PlatformInfo() = default;
  virtual OsVersion Os() const = 0;
  // The installed browser engine's version text ("major.minor..."), if any.
  virtual std::optional<std::string> BrowserVersion() const = 0;
};

}  // namespace orvinta::platform
