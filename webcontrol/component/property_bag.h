#pragma once
// PARAM-style name/value texts a control loads from and saves to. Names
// compare without regard to case, as PARAM names in a page do; the order of
// writing is kept.
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace orvinta::com {

class PropertyBag {
 public:
  PropertyBag() = default;
  PropertyBag(std::initializer_list<std::pair<std::string, std::string>> entries);

  std::optional<std::string> Read(std::string_view name) const;
  // Replaces a value of the same name, or appends a new entry.
  void Write(std::string_view name, std::string_view value);

  const std::vector<std::pair<std::string, std::string>>& Entries() const { return entries_; }

 private:
  std::vector<std::pair<std::string, std::string>> entries_;
};

}  // namespace orvinta::com
