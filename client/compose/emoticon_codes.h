#pragma once
// Which emoticon each picture object of the input line shows. The codes are
// the keywords of the client's emoticon table (emoticons.h);
// the map keeps views of the table's own texts.
#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string_view>

#include "client/compose/emoticons.h"

namespace orvinta::compose {

using EmoticonObjectId = std::uint64_t;

class EmoticonCodeMap {
 public:
  explicit EmoticonCodeMap(std::span<const Emoticon> table) : table_(table) {}

  // Position of `code` in the table; nullopt for an empty or unknown code.
  std::optional<std::size_t> IndexOf(std::string_view code) const;
  // The keyword of table entry `index`; nullopt outside the table.
  std::optional<std::string_view> CodeAt(std::size_t index) const;

  // Records that `object` shows `code`; an unknown code records nothing.
  bool Record(EmoticonObjectId object, std::string_view code);
  std::optional<std::string_view> CodeOf(EmoticonObjectId object) const;
  void Forget(EmoticonObjectId object) { objects_.erase(object); }
  void Clear() { objects_.clear(); }
  std::size_t Size() const { return objects_.size(); }

 private:
  std::span<const Emoticon> table_;
  std::map<EmoticonObjectId, std::string_view> objects_;
};

}  // namespace orvinta::compose
