#include "webcontrol/component/registration.h"

#include <cstdio>
#include <filesystem>

namespace orvinta::com {
namespace {

// The proxy of dispatch-only interfaces.
constexpr std::string_view kDispatchProxy = "{00020420-0000-0000-C000-000000000046}";
constexpr std::string_view kPlatformKey = "linux64";

std::string HexNumber(unsigned long value) {
  char buffer[24];
  std::snprintf(buffer, sizeof buffer, "%lx", value);
  return buffer;
}

std::string VersionText(const TypeLibraryInfo& library) {
  return std::to_string(library.majorVersion) + "." + std::to_string(library.minorVersion);
}

std::string TypeLibVersionKey(const TypeLibraryInfo& library) {
  return "TypeLib\\" + library.libid + "\\" + VersionText(library);
}

// Cut to a number of characters, not bytes: the description is UTF-8.
std::string CutCharacters(std::string_view text, std::size_t count) {
  std::size_t end = 0;
  for (std::size_t seen = 0; end < text.size() && seen < count; ++seen) {
    ++end;
    while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) ++end;
  }
  return std::string(text.substr(0, end));
}

}  // namespace

std::string ClassKey(std::string_view clsid) { return "CLSID\\" + std::string(clsid); }

void RegisterClassEntries(RegistryFile& registry, const ClassRegistration& entry) {
  const std::string key = ClassKey(entry.clsid);
  registry.SetValue(key, "", entry.typeName);
  registry.SetValue(key + "\\InprocServer32", "", entry.modulePath);
  registry.SetValue(key + "\\InprocServer32", "ThreadingModel", entry.threadingModel);
  if (!entry.progId.empty()) {
    registry.SetValue(key + "\\ProgID", "", entry.progId);
    registry.SetValue(entry.progId, "", entry.typeName);
    registry.SetValue(entry.progId + "\\CLSID", "", entry.clsid);
  }
  if (entry.isControl) registry.CreateKey(key + "\\Control");
  if (!entry.toolboxBitmap.empty()) registry.SetValue(key + "\\ToolboxBitmap32", "", entry.toolboxBitmap);
  if (entry.miscStatus) {
    registry.SetValue(key + "\\MiscStatus", "", "0");
    registry.SetValue(key + "\\MiscStatus\\1", "", std::to_string(*entry.miscStatus));
  }
  if (!entry.typeLibId.empty()) registry.SetValue(key + "\\TypeLib", "", entry.typeLibId);
  if (!entry.version.empty()) registry.SetValue(key + "\\Version", "", entry.version);
}

void UnregisterClassEntries(RegistryFile& registry, std::string_view clsid, std::string_view progId) {
  if (!progId.empty()) {
    const auto named = registry.GetValue(std::string(progId) + "\\CLSID");
    if (named && NamesEqual(*named, clsid)) registry.DeleteTree(progId);
  }
  registry.DeleteTree(ClassKey(clsid));
}

void RegisterCategory(RegistryFile& registry, std::string_view catid, unsigned long locale, std::string_view description) {
  registry.SetValue("Component Categories\\" + std::string(catid), HexNumber(locale),
                    CutCharacters(description, kMaxCategoryDescription));
}

void RegisterClassImplementedCategory(RegistryFile& registry, std::string_view clsid, std::string_view catid) {
  registry.CreateKey(ClassKey(clsid) + "\\Implemented Categories\\" + std::string(catid));
}

void UnregisterClassImplementedCategory(RegistryFile& registry, std::string_view clsid, std::string_view catid) {
  const std::string implemented = "\\Implemented Categories\\" + std::string(catid);
  registry.DeleteTree(ClassKey(clsid) + implemented);
  for (const std::string& other : registry.SubKeys("CLSID")) {
    if (registry.HasKey(ClassKey(other) + implemented)) return;
  }
  registry.DeleteTree("Component Categories\\" + std::string(catid));
}

void RegisterTypeLibrary(RegistryFile& registry, const TypeLibraryInfo& library, std::string_view modulePath) {
  const std::string key = TypeLibVersionKey(library);
  registry.SetValue(key, "", library.helpString);
  registry.SetValue(key + "\\" + HexNumber(library.locale) + "\\" + std::string(kPlatformKey), "",
                    std::string(modulePath));
  registry.SetValue(key + "\\FLAGS", "", "0");
  registry.SetValue(key + "\\HELPDIR", "", std::filesystem::path(modulePath).parent_path().string());
  for (const InterfaceInfo& dispatch : library.dispatchInterfaces) {
    const std::string interfaceKey = "Interface\\" + dispatch.iid;
    registry.SetValue(interfaceKey, "", dispatch.name);
    registry.SetValue(interfaceKey + "\\ProxyStubClsid32", "", kDispatchProxy);
    registry.SetValue(interfaceKey + "\\TypeLib", "", library.libid);
    registry.SetValue(interfaceKey + "\\TypeLib", "Version", VersionText(library));
  }
}

void UnregisterTypeLibrary(RegistryFile& registry, const TypeLibraryInfo& library) {
  for (const InterfaceInfo& dispatch : library.dispatchInterfaces) registry.DeleteTree("Interface\\" + dispatch.iid);
  registry.DeleteTree(TypeLibVersionKey(library));
}

std::optional<std::string> ClassIdOfProgId(const RegistryFile& registry, std::string_view progId) {
  return registry.GetValue(std::string(progId) + "\\CLSID");
}

std::optional<std::string> ModuleOfClass(const RegistryFile& registry, std::string_view clsid) {
  return registry.GetValue(ClassKey(clsid) + "\\InprocServer32");
}

}  // namespace orvinta::com
