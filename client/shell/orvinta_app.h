#pragma once
// The application object: the launch settings for the whole run and the
// start-up decisions up to the creation of the main window.
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/message_box.h"
#include "platform/platform_info.h"
#include "platform/single_instance.h"
#include "protocol/launch_settings.h"

namespace orvinta::shell {

struct StartupPorts {
  const platform::PlatformInfo& platform;
  platform::MessageBoxes& boxes;
  platform::SingleInstance& instances;
};

enum class StartupResult {
  Run,            // go on: create the windows
  Stop,           // a failed platform check (its box was shown)
  BadLaunchText,  // empty, or no user id of 2 to 21 bytes
  HandedOver      // the user's running client took the room; this one ends
};

class COrvintaApp {
 public:
  LaunchSettings Settings;
  std::string AppDirectory;
  std::uint32_t CommonControlsVersion = 6u << 16;  // the toolkit is always "current"
  std::uint16_t WindowsVersionCode = 0;

  // Directory of the executable, trailing slashes removed.
  static std::string DirectoryOf(std::string_view executablePath);

  // Parses the launch text, hands it to a running client when there is one,
  // and checks the platform.
  StartupResult InitInstance(std::string_view commandLine, std::string_view executablePath, StartupPorts ports);
};

}  // namespace orvinta::shell
