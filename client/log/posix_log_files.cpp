#include "client/log/posix_log_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace orvinta::log {
namespace {

constexpr mode_t kFolderMode = 0700;  // what people say in their rooms is theirs alone
constexpr mode_t kFileMode = 0600;

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

}  // namespace

bool PosixLogFiles::MakeFolders(const std::string& folder) {
  if (folder.empty()) return false;
  for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
    const std::string part = folder.substr(0, slash);
    if (::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) break;
  }
  struct stat info {};
  return ::stat(folder.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool PosixLogFiles::Append(const std::string& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC | O_NOFOLLOW, kFileMode);
  if (fd < 0) return false;
  bool ok = true;
  while (ok && !bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    ok = n > 0;
    if (ok) bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return ::close(fd) == 0 && ok;
}

std::string RoomLogFolder(const char* xdgDataHome, const char* home) {
  if (IsAbsolute(xdgDataHome)) return std::string(xdgDataHome) + "/orvinta/logs";
  if (IsAbsolute(home)) return std::string(home) + "/.local/share/orvinta/logs";
  return "";
}

std::string RoomLogFolder() {
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir;
  }
  return RoomLogFolder(std::getenv("XDG_DATA_HOME"), home);
}

}  // namespace orvinta::log
