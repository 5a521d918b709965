#include "client/components/config/config_store.h"

#include "client/components/config/config.h"
#include "client/components/config/window_placement.h"

namespace orvinta::config {
namespace {

constexpr char kCaption[] = "벨보 미렐";
constexpr char kSaveFailed[] = "설정을 저장하지 못했습니다. 설정 파일이 있는 폴더에 쓸 수 있는지 확인해 주세요.  ";

}  // namespace

const ConfigValues& ConfigStore::LoadConfig() {
  file_.Load(CConfig::Values());
  return CConfig::Values();
}

bool ConfigStore::SaveConfig() { return Saved(file_.Save(CConfig::Values())); }

bool ConfigStore::Saved(bool ok) {
  if (!ok && boxes_ && !failureTold_) {
    failureTold_ = true;
    boxes_->Show(kSaveFailed, kCaption, platform::BoxButtons::Ok);
  }
  return ok;
}

bool ConfigStore::SaveConfig(const platform::WindowRect& normalRect) {
  StoreWindowRect(normalRect, CConfig::Values());
  return SaveConfig();
}

}  // namespace orvinta::config
