#include "client/log/posix_log_files.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

namespace orvinta::log {
namespace {

constexpr mode_t kFolderMode = 0700;  // what people say in their rooms is theirs alone
constexpr mode_t kFileMode = 0600;

bool IsAbsolute(const char* path) { return path && path[0] == '/'; }

class Fd {
 public:
  explicit Fd(int fd = -1) : fd_(fd) {}
  Fd(Fd&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Fd& operator=(Fd&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  explicit operator bool() const { return fd_ >= 0; }

 private:
  int fd_;
};

// The user's own, of the given type, with none of `closed` among its permissions.
bool IsOwnAndClosed(int fd, mode_t type, mode_t closed) {
  struct stat info {};
  return ::fstat(fd, &info) == 0 && (info.st_mode & S_IFMT) == type && info.st_uid == ::geteuid() &&
         (info.st_mode & closed) == 0;
}

// What an open that met something other than a plain folder or file says.
LogWrite FailureOf(int error) {
  return error == ELOOP || error == ENOTDIR || error == ENXIO || error == EISDIR ? LogWrite::Refused
                                                                                  : LogWrite::Failed;
}

// The base and every missing folder above it; the user's choice, links and all.
bool MakeBase(const std::string& base) {
  for (std::size_t slash = base.find('/', 1);; slash = base.find('/', slash + 1)) {
    const std::string part = base.substr(0, slash);
    if (::mkdir(part.c_str(), kFolderMode) != 0 && errno != EEXIST) return false;
    if (slash == std::string::npos) return true;
  }
}

std::vector<std::string> Parts(const std::string& relative) {
  std::vector<std::string> parts;
  for (std::size_t start = 0;;) {
    const std::size_t slash = relative.find('/', start);
    parts.push_back(relative.substr(start, slash - start));
    if (slash == std::string::npos) return parts;
    start = slash + 1;
  }
}

bool Write(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t n = ::write(fd, bytes.data(), bytes.size());
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

}  // namespace

LogWrite PosixLogFiles::Append(const std::string& path, std::string_view bytes) {
  if (base_.empty() || path.size() <= base_.size() + 1 || path.compare(0, base_.size(), base_) != 0 ||
      path[base_.size()] != '/') {
    return LogWrite::Failed;
  }
  const std::vector<std::string> parts = Parts(path.substr(base_.size() + 1));
  for (const std::string& part : parts) {
    if (part.empty() || part == "." || part == "..") return LogWrite::Failed;
  }
  if (!MakeBase(base_)) return LogWrite::Failed;
  Fd folder(::open(base_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (!folder) return LogWrite::Failed;
  for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
    const char* name = parts[i].c_str();
    if (::mkdirat(folder.get(), name, kFolderMode) != 0 && errno != EEXIST) return LogWrite::Failed;
    Fd next(::openat(folder.get(), name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!next) return FailureOf(errno);
    if (!IsOwnAndClosed(next.get(), S_IFDIR, i == 0 ? 022 : 077)) return LogWrite::Refused;
    folder = std::move(next);
  }
  // A new file is made here, never taken over; one that stands must prove itself.
  const char* name = parts.back().c_str();
  constexpr int kFlags = O_WRONLY | O_APPEND | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  Fd file(::openat(folder.get(), name, kFlags | O_CREAT | O_EXCL, kFileMode));
  if (!file && errno == EEXIST) file = Fd(::openat(folder.get(), name, kFlags));
  if (!file) return FailureOf(errno);
  if (!IsOwnAndClosed(file.get(), S_IFREG, 077)) return LogWrite::Refused;
  return Write(file.get(), bytes) ? LogWrite::Written : LogWrite::Failed;
}

std::string DataFolder(const char* xdgDataHome, const char* home) {
  std::string folder;
  if (IsAbsolute(xdgDataHome)) folder = xdgDataHome;
  else if (IsAbsolute(home)) folder = std::string(home) + "/.local/share";
  while (folder.size() > 1 && folder.back() == '/') folder.pop_back();
  return folder;
}

std::string DataFolder() {
  const char* home = std::getenv("HOME");
  if (!IsAbsolute(home)) {
    if (const passwd* user = ::getpwuid(::getuid())) home = user->pw_dir;
  }
  return DataFolder(std::getenv("XDG_DATA_HOME"), home);
}

std::string RoomLogFolder(const std::string& dataFolder) {
  return dataFolder.empty() ? "" : dataFolder + "/orvinta/logs";
}

}  // namespace orvinta::log
