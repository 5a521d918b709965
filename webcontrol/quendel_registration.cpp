#include "webcontrol/quendel_registration.h"

#include "webcontrol/component/registration.h"
#include "webcontrol/quendel_ids.h"

namespace orvinta::quendel {
namespace {

std::string Text(std::string_view view) { return std::string(view); }

com::ClassRegistration ControlClass(const std::string& modulePath) {
  com::ClassRegistration entry;
  entry.clsid = Text(kControlClassId);
  entry.progId = Text(kControlProgId);
  entry.typeName = Text(kControlTypeName);
  entry.modulePath = modulePath;
  entry.isControl = true;
  entry.miscStatus = kMiscStatus;
  entry.toolboxBitmap = modulePath + ", 1";
  entry.typeLibId = Text(kTypeLibId);
  entry.version = Text(kClassVersion);
  return entry;
}

com::ClassRegistration PropPageClass(const std::string& modulePath) {
  com::ClassRegistration entry;
  entry.clsid = Text(kPropPageClassId);
  entry.typeName = Text(kPropPageTypeName);
  entry.modulePath = modulePath;
  return entry;
}

}  // namespace

com::HRESULT RegisterQuendel(com::RegistryFile& registry, const std::string& modulePath) {
  if (!registry.Load()) return com::SELFREG_E_TYPELIB;
  com::RegisterTypeLibrary(registry, QuendelTypeLibrary(), modulePath);
  if (!registry.Save()) return com::SELFREG_E_TYPELIB;

  com::RegisterClassEntries(registry, ControlClass(modulePath));
  com::RegisterClassEntries(registry, PropPageClass(modulePath));
  if (!registry.Save()) return com::SELFREG_E_CLASS;

  for (const Category& category : {kSafeForScripting, kSafeForInitializing}) {
    com::RegisterCategory(registry, category.catid, kCategoryLocale, category.description);
    com::RegisterClassImplementedCategory(registry, kControlClassId, category.catid);
  }
  registry.Save();
  return com::S_OK;
}

com::HRESULT UnregisterQuendel(com::RegistryFile& registry) {
  if (!registry.Load()) return com::SELFREG_E_TYPELIB;
  com::UnregisterTypeLibrary(registry, QuendelTypeLibrary());
  if (!registry.Save()) return com::SELFREG_E_TYPELIB;

  for (const Category& category : {kSafeForInitializing, kSafeForScripting}) {
    com::UnregisterClassImplementedCategory(registry, kControlClassId, category.catid);
  }
  com::UnregisterClassEntries(registry, kControlClassId, kControlProgId);
  com::UnregisterClassEntries(registry, kPropPageClassId, kPropPageProgId);
  if (!registry.Save()) return com::SELFREG_E_CLASS;
  return com::S_OK;
}

}  // namespace orvinta::quendel
