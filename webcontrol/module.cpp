// The module's exported entry points: self-registration, the class factory
// and the unload question.
#include <dlfcn.h>

#include <filesystem>
#include <memory>
#include <string>

#include "protocol/guarded.h"
#include "webcontrol/component/module_exports.h"
#include "webcontrol/component/names.h"
#include "webcontrol/module_ports.h"
#include "webcontrol/module_state.h"
#include "webcontrol/quendel_ctrl.h"
#include "webcontrol/quendel_ids.h"
#include "webcontrol/quendel_registration.h"

namespace orvinta::quendel {
namespace {

std::string ThisModulePath() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ThisModulePath), &info) == 0 || !info.dli_fname) return {};
  // Hosts load the module by the path registered, whatever their working directory.
  std::error_code error;
  const auto path = std::filesystem::weakly_canonical(info.dli_fname, error);
  return error ? std::string(info.dli_fname) : path.string();
}

class ControlFactory final : public com::ClassFactory {
 public:
  com::HRESULT CreateInstance(std::unique_ptr<com::Control>& out) override {
    return GuardedOr("creating a control", com::E_FAIL, [&] {
      out = std::make_unique<CQuendelCtrl>(DefaultModulePorts());
      return com::S_OK;
    });
  }
};

// The property page is not a control a page can hold.
class PropPageFactory final : public com::ClassFactory {
 public:
  com::HRESULT CreateInstance(std::unique_ptr<com::Control>& out) override {
    out.reset();
    return com::E_NOINTERFACE;
  }
};

}  // namespace
}  // namespace orvinta::quendel

using namespace orvinta;

extern "C" __attribute__((visibility("default"))) com::HRESULT DllRegisterServer() {
  return GuardedOr("DllRegisterServer", com::SELFREG_E_TYPELIB, [] {
    com::RegistryFile registry(com::RegistryFile::DefaultPath());
    return quendel::RegisterQuendel(registry, quendel::ThisModulePath());
  });
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllUnregisterServer() {
  return GuardedOr("DllUnregisterServer", com::SELFREG_E_TYPELIB, [] {
    com::RegistryFile registry(com::RegistryFile::DefaultPath());
    return quendel::UnregisterQuendel(registry);
  });
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetClassObject(const char* clsid,
                                                                                  com::ClassFactory** factory) {
  static quendel::ControlFactory controls;
  static quendel::PropPageFactory pages;
  if (!factory) return com::E_INVALIDARG;
  *factory = nullptr;
  if (!clsid) return com::CLASS_E_CLASSNOTAVAILABLE;
  if (com::NamesEqual(clsid, quendel::kControlClassId)) *factory = &controls;
  if (com::NamesEqual(clsid, quendel::kPropPageClassId)) *factory = &pages;
  return *factory ? com::S_OK : com::CLASS_E_CLASSNOTAVAILABLE;
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllCanUnloadNow() {
  return quendel::Module().liveObjects == 0 ? com::S_OK : com::S_FALSE;
}

extern "C" __attribute__((visibility("default"))) com::HRESULT DllGetTypeLibrary(const com::TypeLibraryInfo** library) {
  if (!library) return com::E_INVALIDARG;
  *library = &quendel::QuendelTypeLibrary();
  return com::S_OK;
}
