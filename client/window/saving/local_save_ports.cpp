#include "client/window/saving/local_save_ports.h"

#include <sys/stat.h>

#include <cerrno>

#include "client/components/config/atomic_file.h"
#include "platform/cp949.h"

namespace orvinta::saving {

std::string LocalPath(const std::string& path) {
  if (platform::Utf8ToCp949Lossy(path)) return path;
  return platform::Cp949ToUtf8(path).value_or(path);
}

bool LocalSaveFiles::FolderExists(const std::string& folder) {
  struct stat info {};
  return ::stat(LocalPath(folder).c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool LocalSaveFiles::CreateFolder(const std::string& folder) {
  return ::mkdir(LocalPath(folder).c_str(), 0755) == 0 || errno == EEXIST;
}

bool LocalSaveFiles::WriteWhole(const std::string& path, std::string_view bytes) {
  return config::WriteFileAtomically(LocalPath(path), bytes);
}

}  // namespace orvinta::saving
