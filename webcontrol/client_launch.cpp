#include "webcontrol/client_launch.h"

#include <dlfcn.h>

#include <cstdlib>
#include <filesystem>

#include "protocol/room_key.h"
#include "text/text_util.h"

#ifndef QUENDEL_DEFAULT_CLIENT_DIR
#define QUENDEL_DEFAULT_CLIENT_DIR "/usr/local/bin"
#endif
#ifndef ORVINTA_MODULES_TO_BIN
#define ORVINTA_MODULES_TO_BIN "../../bin"
#endif

namespace orvinta::quendel {
namespace {

LaunchFields CommonFields(const QuendelSettings& settings, std::string_view sessionValue, std::string_view autoEnter) {
  LaunchFields fields;
  fields[0] = text::ToUpper(text::Trim(autoEnter));
  fields[1] = settings.ServerAddr;
  fields[2] = settings.UserSession;
  fields[3] = settings.UserID;
  fields[4] = settings.UserNick;
  fields[5] = std::to_string(settings.UserIcon);
  fields[8] = settings.Debug ? "TRUE" : "FALSE";
  fields[11] = std::string(sessionValue);
  return fields;
}

}  // namespace

LaunchFields RoomLaunchFields(const QuendelSettings& settings, std::string_view sessionValue, std::string_view roomId,
                              std::string_view roomTitle, std::string_view autoEnter) {
  LaunchFields fields = CommonFields(settings, sessionValue, autoEnter);
  fields[6] = std::string(roomId);
  fields[7] = std::string(roomTitle);
  return fields;
}

LaunchFields PrivateLaunchFields(const QuendelSettings& settings, std::string_view sessionValue,
                                 std::string_view peerId, std::string_view peerNick, std::string_view autoEnter) {
  LaunchFields fields = CommonFields(settings, sessionValue, autoEnter);
  const std::string peer = text::ToLower(text::Trim(peerId));
  const std::string nick(text::Trim(peerNick));
  // Own id as set (case kept), peer id lower-cased: both sides meet in one room.
  fields[6] = protocol::PrivateRoomKey(text::Trim(settings.UserID), peer);
  fields[7] = nick + "님과의 1:1 대화방입니다";
  fields[9] = peer;
  fields[10] = nick;
  return fields;
}

std::string JoinLaunchFields(const LaunchFields& fields) {
  std::string joined;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    if (i > 0) joined.push_back('\n');
    joined += text::RemoveChars(fields[i], "\r\n");
  }
  return joined;
}

std::string ClientProgramDirectory() {
  if (const char* dir = std::getenv("QUENDEL_CLIENT_DIR"); dir && *dir) return dir;
  // An installed module starts the client installed with it (bin/ beside lib/).
  Dl_info module{};
  if (dladdr(reinterpret_cast<void*>(&ClientProgramDirectory), &module) != 0 && module.dli_fname) {
    const auto bin = (std::filesystem::path(module.dli_fname).parent_path() / ORVINTA_MODULES_TO_BIN).lexically_normal();
    std::error_code error;
    if (std::filesystem::is_regular_file(bin / kClientProgramName, error)) return bin.string();
  }
  return QUENDEL_DEFAULT_CLIENT_DIR;
}

std::string ClientProgramPath(std::string_view directory) {
  std::string path(directory);
  if (path.empty() || path.back() != '/') path.push_back('/');
  return path + std::string(kClientProgramName);
}

}  // namespace orvinta::quendel
