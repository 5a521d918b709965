#include "webcontrol/component/component_loader.h"

#include <dlfcn.h>

#include <algorithm>
#include <cctype>

#include "webcontrol/component/module_exports.h"
#include "webcontrol/component/names.h"
#include "webcontrol/component/registration.h"

namespace orvinta::com {

std::optional<std::string> NormaliseClassId(std::string_view text) {
  if (text.size() > 6 && NamesEqual(text.substr(0, 6), "clsid:")) text.remove_prefix(6);
  if (!text.empty() && text.front() == '{') {
    if (text.back() != '}') return std::nullopt;
    text = text.substr(1, text.size() - 2);
  }
  static constexpr std::size_t kDashes[] = {8, 13, 18, 23};
  if (text.size() != 36) return std::nullopt;
  std::string id = "{";
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    const bool dash = std::find(std::begin(kDashes), std::end(kDashes), i) != std::end(kDashes);
    if (dash ? c != '-' : !std::isxdigit(static_cast<unsigned char>(c))) return std::nullopt;
    id.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
  }
  id.push_back('}');
  return id;
}

ComponentLoader::ComponentLoader(std::filesystem::path registryPath) : registryPath_(std::move(registryPath)) {}

std::optional<std::string> ComponentLoader::ResolveClassId(std::string_view name) {
  if (auto id = NormaliseClassId(name)) return id;
  RegistryFile registry(registryPath_);
  if (!registry.Load()) return std::nullopt;
  const auto id = ClassIdOfProgId(registry, name);
  return id ? NormaliseClassId(*id) : std::nullopt;
}

void* ComponentLoader::ModuleOf(std::string_view clsid, HRESULT& error) {
  RegistryFile registry(registryPath_);
  const auto path = registry.Load() ? ModuleOfClass(registry, clsid) : std::nullopt;
  if (!path || path->empty()) {
    error = REGDB_E_CLASSNOTREG;
    return nullptr;
  }
  if (const auto known = modules_.find(*path); known != modules_.end()) return known->second;
  void* handle = dlopen(path->c_str(), RTLD_NOW | RTLD_LOCAL);
  if (!handle) {
    error = CO_E_DLLNOTFOUND;
    return nullptr;
  }
  modules_.emplace(*path, handle);
  return handle;
}

HRESULT ComponentLoader::CreateControl(std::string_view name, std::unique_ptr<Control>& out) {
  out.reset();
  const auto clsid = ResolveClassId(name);
  if (!clsid) return REGDB_E_CLASSNOTREG;
  HRESULT error = S_OK;
  void* module = ModuleOf(*clsid, error);
  if (!module) return error;
  auto* getClassObject = reinterpret_cast<DllGetClassObjectFn*>(dlsym(module, "DllGetClassObject"));
  if (!getClassObject) return CO_E_ERRORINDLL;
  ClassFactory* factory = nullptr;
  const HRESULT result = getClassObject(clsid->c_str(), &factory);
  if (!Succeeded(result)) return result;
  if (!factory) return CLASS_E_CLASSNOTAVAILABLE;
  return factory->CreateInstance(out);
}

const TypeLibraryInfo* ComponentLoader::TypeLibraryOf(std::string_view clsid) {
  HRESULT error = S_OK;
  void* module = ModuleOf(clsid, error);
  if (!module) return nullptr;
  auto* getTypeLibrary = reinterpret_cast<DllGetTypeLibraryFn*>(dlsym(module, "DllGetTypeLibrary"));
  const TypeLibraryInfo* library = nullptr;
  if (!getTypeLibrary || !Succeeded(getTypeLibrary(&library))) return nullptr;
  return library;
}

}  // namespace orvinta::com
