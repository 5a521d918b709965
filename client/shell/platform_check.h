#pragma once
// The platform check of start-up: an operating system and a browser engine
// recent enough for the client.
#include <optional>
#include <string>
#include <string_view>

#include "platform/platform_info.h"

namespace orvinta::shell {

bool IsOsSupported(const platform::OsVersion& os);

// Major and the first digit of the minor version of a "major.minor..." text.
struct BrowserVersion {
  long major = 0;
  int minor = 0;
};
BrowserVersion ParseBrowserVersion(std::string_view text);

// An absent or empty browser version passes.
bool IsBrowserSupported(const std::optional<std::string>& version);

bool PlatformCheckPasses(const platform::PlatformInfo& info);

// The message shown when the check fails.
std::string_view PlatformCheckFailureText();

}  // namespace orvinta::shell
