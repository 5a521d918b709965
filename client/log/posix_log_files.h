#pragma once
// The room log's ports over POSIX, and where its folder is.
#include "client/log/room_log_ports.h"

namespace orvinta::log {

class PosixLogFiles final : public LogFiles {
 public:
  bool MakeFolders(const std::string& folder) override;
  bool Append(const std::string& path, std::string_view bytes) override;
};

// "$XDG_DATA_HOME/orvinta/logs", or "$HOME/.local/share/orvinta/logs" when
// XDG_DATA_HOME is unset or not absolute; "" when neither is usable.
std::string RoomLogFolder(const char* xdgDataHome, const char* home);
// The same from this process's environment (the password file stands in for HOME).
std::string RoomLogFolder();

}  // namespace orvinta::log
