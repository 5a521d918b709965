#pragma once
// The per-user component registry: keys (backslash-separated paths, compared
// without regard to case), each with named text values; the name "" is the
// key's default value. Stored as a text file in the style of a .reg export:
//
//   [CLSID\{...}\InprocServer32]
//   @="/usr/lib/libquendel.so"
//   "ThreadingModel"="Apartment"
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "webcontrol/component/names.h"

namespace orvinta::com {

class RegistryFile {
 public:
  // $ORVINTA_COMPONENT_REGISTRY, else $XDG_DATA_HOME/orvinta/components.reg,
  // else ~/.local/share/orvinta/components.reg.
  static std::filesystem::path DefaultPath();

  explicit RegistryFile(std::filesystem::path path) : path_(std::move(path)) {}

  // A missing file reads as empty; a file that cannot be read or parsed gives false.
  bool Load();
  // Replaces the file as a whole (written beside it, then renamed).
  bool Save() const;

  void CreateKey(std::string_view key);
  void SetValue(std::string_view key, std::string_view name, std::string_view value);
  std::optional<std::string> GetValue(std::string_view key, std::string_view name = {}) const;
  bool HasKey(std::string_view key) const;
  // The key and every key below it.
  void DeleteTree(std::string_view key);
  // Names of the keys directly below `key` that exist in the file.
  std::vector<std::string> SubKeys(std::string_view key) const;

  const std::filesystem::path& Path() const { return path_; }
  std::string ToText() const;
  bool FromText(std::string_view text);

 private:
  using Values = std::map<std::string, std::string, NameLess>;
  std::filesystem::path path_;
  std::map<std::string, Values, NameLess> keys_;
};

}  // namespace orvinta::com
