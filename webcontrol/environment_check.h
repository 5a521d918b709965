#pragma once
// The check that guards the control's creation and most of its methods: an
// operating system newer than Windows 95 / NT 4.0 and a browser engine of at
// least version 5.5, reported through the platform-information port.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/platform_info.h"

namespace orvinta::quendel {

// 4 or less for Windows 95, NT 4.0 and older, and any other platform; more
// for Windows 98, Me, 2000, XP and later.
std::uint16_t WindowsVersionWord(const platform::OsVersion& os);

// True for a missing or empty version and for 5.5 and later: the major number
// before the first ".", the minor digit right after it.
bool IsBrowserRecentEnough(const std::optional<std::string>& version);

std::string_view EnvironmentFailureText();

// Shows the failure box (no owner, OK) each time the check fails. The
// version word is stored in `versionWord`.
bool RunEnvironmentCheck(const platform::PlatformInfo& info, platform::MessageBoxes& boxes, std::uint16_t& versionWord);

}  // namespace orvinta::quendel
