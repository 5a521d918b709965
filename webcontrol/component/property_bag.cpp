#include "webcontrol/component/property_bag.h"

#include "webcontrol/component/names.h"

namespace orvinta::com {

PropertyBag::PropertyBag(std::initializer_list<std::pair<std::string, std::string>> entries) {
  for (const auto& [name, value] : entries) Write(name, value);
}

std::optional<std::string> PropertyBag::Read(std::string_view name) const {
  for (const auto& [key, value] : entries_) {
    if (NamesEqual(key, name)) return value;
  }
  return std::nullopt;
}

void PropertyBag::Write(std::string_view name, std::string_view value) {
  for (auto& [key, existing] : entries_) {
    if (NamesEqual(key, name)) {
      existing = std::string(value);
      return;
    }
  }
  entries_.emplace_back(std::string(name), std::string(value));
}

}  // namespace orvinta::com
