#include "client/components/config/config_store.h"

#include "client/components/config/config.h"
#include "client/components/config/window_placement.h"

namespace orvinta::config {

const ConfigValues& ConfigStore::LoadConfig() {
  file_.Load(CConfig::Values());
  return CConfig::Values();
}

bool ConfigStore::SaveConfig() { return file_.Save(CConfig::Values()); }

bool ConfigStore::SaveConfig(const platform::WindowRect& normalRect) {
  StoreWindowRect(normalRect, CConfig::Values());
  return SaveConfig();
}

}  // namespace orvinta::config
