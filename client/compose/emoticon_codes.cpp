#include "client/compose/emoticon_codes.h"

namespace orvinta::compose {

std::optional<std::size_t> EmoticonCodeMap::IndexOf(std::string_view code) const {
  if (code.empty()) return std::nullopt;
  for (std::size_t i = 0; i < table_.size(); ++i) {
    if (table_[i].keyword == code) return i;
  }
  return std::nullopt;
}

std::optional<std::string_view> EmoticonCodeMap::CodeAt(std::size_t index) const {
  if (index >= table_.size()) return std::nullopt;
  return table_[index].keyword;
}

bool EmoticonCodeMap::Record(EmoticonObjectId object, std::string_view code) {
  const auto index = IndexOf(code);
  if (!index) return false;
  objects_[object] = table_[*index].keyword;
  return true;
}

std::optional<std::string_view> EmoticonCodeMap::CodeOf(EmoticonObjectId object) const {
  const auto it = objects_.find(object);
  if (it == objects_.end()) return std::nullopt;
  return it->second;
}

}  // namespace orvinta::compose
