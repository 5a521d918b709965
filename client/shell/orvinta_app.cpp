#include "client/shell/orvinta_app.h"

#include "client/shell/hand_over.h"
#include "client/shell/launch_arguments.h"
#include "client/shell/platform_check.h"
#include "protocol/guarded.h"
#include "protocol/ui_text.h"

namespace orvinta::shell {

std::string COrvintaApp::DirectoryOf(std::string_view executablePath) {
  const auto slash = executablePath.find_last_of('/');
  if (slash == std::string_view::npos) return ".";
  std::string_view dir = executablePath.substr(0, slash);
  while (dir.size() > 1 && dir.back() == '/') dir.remove_suffix(1);
  return dir.empty() ? "/" : std::string(dir);
}

StartupResult COrvintaApp::InitInstance(std::string_view commandLine, std::string_view executablePath,
                                        StartupPorts ports) {
  return GuardedOr("start-up", StartupResult::Stop, [&] {
    AppDirectory = DirectoryOf(executablePath);

    auto parsed = ParseLaunchText(commandLine, DefaultServerAddress());
    if (!parsed) return StartupResult::BadLaunchText;
    Settings = std::move(*parsed);
    // Only a running client of the same user that confirmed the room ends this launch.
    if (ports.instances.SendToRunning(HandOverEndpoint(Settings.UserId), MakeHandOver(Settings))) {
      return StartupResult::HandedOver;
    }

    const platform::OsVersion os = ports.platform.Os();
    WindowsVersionCode = static_cast<std::uint16_t>(os.major << 8 | os.minor);
    if (!PlatformCheckPasses(ports.platform)) {
      ports.boxes.Show(std::string(PlatformCheckFailureText()), std::string(ui_text::BoxCaption()),
                       platform::BoxButtons::Ok);
      return StartupResult::Stop;
    }
    return StartupResult::Run;
  });
}

}  // namespace orvinta::shell
