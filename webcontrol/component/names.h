#pragma once
// Names of members, properties, registry keys and ProgIDs compare without
// regard to ASCII case.
#include <string>
#include <string_view>

namespace orvinta::com {

bool NamesEqual(std::string_view a, std::string_view b);
std::string FoldName(std::string_view name);

struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

}  // namespace orvinta::com
