#include "client/shell/platform_check.h"

#include "text/text_util.h"

namespace orvinta::shell {

bool IsOsSupported(const platform::OsVersion& os) {
  switch (os.family) {
    case platform::OsFamily::Win9x:  // 98 (4.10) and ME (4.90) only
      return os.major == 4 && (os.minor == 10 || os.minor == 90);
    case platform::OsFamily::WinNT:
      return os.major >= 5;
    case platform::OsFamily::Other:
      return false;
  }
  return false;
}

BrowserVersion ParseBrowserVersion(std::string_view text) {
  BrowserVersion version;
  version.major = text::ParseLeadingInt(text);
  const auto dot = text.find('.');
  if (dot != std::string_view::npos && dot + 1 < text.size()) {
    const char c = text[dot + 1];
    if (c >= '0' && c <= '9') version.minor = c - '0';
  }
  return version;
}

bool IsBrowserSupported(const std::optional<std::string>& version) {
  if (!version || version->empty()) return true;
  const BrowserVersion v = ParseBrowserVersion(*version);
  return !(v.major < 5 || (v.major == 5 && v.minor < 5));
}

bool PlatformCheckPasses(const platform::PlatformInfo& info) {
  return IsOsSupported(info.Os()) && IsBrowserSupported(info.BrowserVersion());
}

std::string_view PlatformCheckFailureText() {
  return "오르빈타을 이용하기 위해서는 Windows98 이상, IE5.5 이상이 설치되어야 합니다.";
}

}  // namespace orvinta::shell
