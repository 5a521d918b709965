#pragma once
// Creating a control the way a page names it: by class id ("{...}" or
// "clsid:...") or by ProgID, through the registry, the module's class
// factory and its instance creation. Modules stay loaded for the life of the
// loader's process: a control may have left callbacks behind in the toolkit.
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "webcontrol/component/control.h"
#include "webcontrol/component/registry_file.h"
#include "webcontrol/component/type_library.h"

namespace orvinta::com {

// "{xxxxxxxx-xxxx-xxxx-xxxx-xxxxxxxxxxxx}" in upper case from "clsid:..." or
// "{...}" in any case; nullopt when the text is not a class id.
std::optional<std::string> NormaliseClassId(std::string_view text);

class ComponentLoader {
 public:
  explicit ComponentLoader(std::filesystem::path registryPath = RegistryFile::DefaultPath());

  // Class id or ProgID; the result code says why nothing was created.
  HRESULT CreateControl(std::string_view name, std::unique_ptr<Control>& out);
  // The registered class id of a class id text or ProgID.
  std::optional<std::string> ResolveClassId(std::string_view name);
  // The type library the module of a class reports; nullptr when it reports none.
  const TypeLibraryInfo* TypeLibraryOf(std::string_view clsid);

 private:
  void* ModuleOf(std::string_view clsid, HRESULT& error);

  std::filesystem::path registryPath_;
  std::map<std::string, void*> modules_;  // module path -> handle
};

}  // namespace orvinta::com
