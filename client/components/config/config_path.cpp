#include "client/components/config/config_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <sys/stat.h>

namespace orvinta::config {
namespace {

std::string Join(const std::string& folder, const std::string& name) {
  if (folder.empty() || folder.back() == '/') return folder + name;
  return folder + "/" + name;
}

std::string HomeFolder() {
  if (const char* home = std::getenv("HOME"); home && *home) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return {};
}

bool IsWritableFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && ::access(path.c_str(), W_OK) == 0;
}

bool IsWritableFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode) && ::access(path.c_str(), W_OK | X_OK) == 0;
}

}  // namespace

std::string ChooseConfigPath(const ConfigPlaces& places) {
  if (!places.programFolder.empty()) {
    const std::string portable = Join(places.programFolder, kConfigFileName);
    if (places.isWritableFile && places.isWritableFile(portable) && places.isWritableFolder &&
        places.isWritableFolder(places.programFolder)) {
      return portable;
    }
  }
  // XDG base directories must be absolute: a relative XDG_CONFIG_HOME is ignored.
  std::string base = places.xdgConfigHome;
  if (base.empty() || base.front() != '/') {
    if (places.home.empty()) return {};
    base = Join(places.home, ".config");
  }
  return Join(Join(base, "orvinta"), kConfigFileName);
}

std::string ConfigPathFor(const std::string& programFolder) {
  const char* xdg = std::getenv("XDG_CONFIG_HOME");
  return ChooseConfigPath({programFolder, xdg ? xdg : "", HomeFolder(), IsWritableFile, IsWritableFolder});
}

}  // namespace orvinta::config
