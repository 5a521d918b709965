#pragma once
// The room log's ports over POSIX, and where its folder is.
#include "client/log/room_log_ports.h"

namespace orvinta::log {

// Files under `base` (the user's data folder, which the user chooses and
// which may be shared): below it no link is followed, and every folder and
// file must be the user's own and closed to others (the first folder, which
// other parts of the program share, only to others' writing); a file that
// is no plain file (a FIFO) is refused without waiting on it.
class PosixLogFiles final : public LogFiles {
 public:
  explicit PosixLogFiles(std::string base) : base_(std::move(base)) {}
  LogWrite Append(const std::string& path, std::string_view bytes) override;
  const std::string& Base() const { return base_; }

 private:
  std::string base_;
};

// "$XDG_DATA_HOME", or "$HOME/.local/share" when XDG_DATA_HOME is unset or
// not absolute; "" when neither is usable.
std::string DataFolder(const char* xdgDataHome, const char* home);
// The same from this process's environment (the password file stands in for HOME).
std::string DataFolder();
// The room log's folder under the data folder ("" for "").
std::string RoomLogFolder(const std::string& dataFolder);

}  // namespace orvinta::log
