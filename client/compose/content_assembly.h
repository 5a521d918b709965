#pragma once
// Reads the input line back as the text to send: the plain text with each
// emoticon picture replaced by its code, in order of position.
#include <optional>
#include <span>
#include <string>

#include "client/compose/emoticon_codes.h"

namespace orvinta::compose {

inline constexpr std::size_t kMaxContentBytes = 8192;

// One run of the input line: text (code page 949, line breaks as "\r\n") or
// a picture object.
struct ContentPiece {
  std::string text;
  std::optional<EmoticonObjectId> object;

  static ContentPiece Text(std::string t) { return {std::move(t), std::nullopt}; }
  static ContentPiece Object(EmoticonObjectId id) { return {{}, id}; }
};

// Adjacent text runs count as one piece. Without objects the whole text is
// taken, cut to `limit` bytes at a character boundary; with objects,
// gathering stops before the first piece that would pass `limit`. Objects
// the map does not know add nothing.
std::string AssembleContent(std::span<const ContentPiece> pieces, const EmoticonCodeMap& codes,
                            std::size_t limit = kMaxContentBytes);

}  // namespace orvinta::compose
