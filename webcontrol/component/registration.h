#pragma once
// Writing and removing the entries through which hosts find a module's
// classes, ProgIDs, type library and component categories.
#include <optional>
#include <string>
#include <string_view>

#include "webcontrol/component/registry_file.h"
#include "webcontrol/component/type_library.h"

namespace orvinta::com {

struct ClassRegistration {
  std::string clsid;
  std::string progId;     // empty: none
  std::string typeName;
  std::string modulePath;
  std::string threadingModel = "Apartment";
  bool isControl = false;
  std::optional<unsigned long> miscStatus;
  std::string toolboxBitmap;  // "path, resource"
  std::string typeLibId;
  std::string version;    // "1.0"
};

// Category descriptions are kept to this many characters.
inline constexpr std::size_t kMaxCategoryDescription = 127;

std::string ClassKey(std::string_view clsid);

void RegisterClassEntries(RegistryFile& registry, const ClassRegistration& entry);
void UnregisterClassEntries(RegistryFile& registry, std::string_view clsid, std::string_view progId);

void RegisterCategory(RegistryFile& registry, std::string_view catid, unsigned long locale, std::string_view description);
void RegisterClassImplementedCategory(RegistryFile& registry, std::string_view clsid, std::string_view catid);
// Also drops the category itself once no registered class implements it.
void UnregisterClassImplementedCategory(RegistryFile& registry, std::string_view clsid, std::string_view catid);

void RegisterTypeLibrary(RegistryFile& registry, const TypeLibraryInfo& library, std::string_view modulePath);
void UnregisterTypeLibrary(RegistryFile& registry, const TypeLibraryInfo& library);

// The class id a ProgID names, and the module file of a class.
std::optional<std::string> ClassIdOfProgId(const RegistryFile& registry, std::string_view progId);
std::optional<std::string> ModuleOfClass(const RegistryFile& registry, std::string_view clsid);

}  // namespace orvinta::com
