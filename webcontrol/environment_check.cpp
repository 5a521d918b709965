#include "webcontrol/environment_check.h"

#include "text/text_util.h"
#include "protocol/ui_text.h"

namespace orvinta::quendel {

std::uint16_t WindowsVersionWord(const platform::OsVersion& os) {
  switch (os.family) {
    case platform::OsFamily::Win9x:  // 95 is 4.0; 98 is 4.10 and Me 4.90
      return os.major == 4 && os.minor == 0 ? 4 : 5;
    case platform::OsFamily::WinNT:  // 2000 is 5.0
      return os.major <= 4 ? 4 : static_cast<std::uint16_t>(os.major + 1);
    case platform::OsFamily::Other:
      return 0;
  }
  return 0;
}

bool IsBrowserRecentEnough(const std::optional<std::string>& version) {
  if (!version || version->empty()) return true;
  const std::string_view text = *version;
  const long major = text::ParseLeadingInt(text.substr(0, text.find('.')));
  int minor = 0;
  if (const auto dot = text.find('.'); dot != std::string_view::npos && dot + 1 < text.size()) {
    const char c = text[dot + 1];
    minor = c >= '0' && c <= '9' ? c - '0' : 0;
  }
  return !(major < 5 || (major == 5 && minor < 5));
}

std::string_view EnvironmentFailureText() {
  return "오르빈타을 이용하기 위해서는 Windows98 이상, IE5.5 이상이 설치되어야 합니다.";
}

bool RunEnvironmentCheck(const platform::PlatformInfo& info, platform::MessageBoxes& boxes, std::uint16_t& versionWord) {
  versionWord = WindowsVersionWord(info.Os());
  const bool passes = versionWord > 4 && IsBrowserRecentEnough(info.BrowserVersion());
  if (!passes) {
    boxes.Show(std::string(EnvironmentFailureText()), std::string(ui_text::BoxCaption()), platform::BoxButtons::Ok);
  }
  return passes;
}

}  // namespace orvinta::quendel
