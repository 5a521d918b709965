#include "client/components/config/config_file.h"

#include "client/components/config/atomic_file.h"
#include "client/components/config/config.h"

namespace orvinta::config {
namespace {

// The twenty fields written by the program take a few kilobytes; a larger
// file is read only this far, so a broken one cannot take the memory.
constexpr std::size_t kMaxFileBytes = 1 << 20;

}  // namespace

void ConfigFile::Load(ConfigValues& values) const {
  if (path_.empty()) return;
  if (const auto bytes = ReadFileBounded(path_, kMaxFileBytes)) LoadConfig(*bytes, values);
}

bool ConfigFile::Save(const ConfigValues& values) const {
  if (path_.empty()) return false;
  const std::string folder = FolderOf(path_);
  if (!folder.empty() && !MakeFolders(folder)) return false;
  return WriteFileAtomically(path_, StoreConfig(values));
}

}  // namespace orvinta::config
