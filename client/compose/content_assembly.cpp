#include "client/compose/content_assembly.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "text/text_util.h"

namespace orvinta::compose {
namespace {

// Text runs merged, objects turned into their codes (unknown ones dropped).
std::vector<std::string> Pieces(std::span<const ContentPiece> pieces, const EmoticonCodeMap& codes) {
  std::vector<std::string> out;
  bool lastWasText = false;
  for (const ContentPiece& piece : pieces) {
    if (!piece.object) {
      if (lastWasText) {
        out.back() += piece.text;
      } else {
        out.push_back(piece.text);
      }
      lastWasText = true;
      continue;
    }
    if (const auto code = codes.CodeOf(*piece.object)) out.emplace_back(*code);
    lastWasText = false;
  }
  return out;
}

}  // namespace

std::string AssembleContent(std::span<const ContentPiece> pieces, const EmoticonCodeMap& codes, std::size_t limit) {
  const bool hasObjects = std::any_of(pieces.begin(), pieces.end(), [](const ContentPiece& p) { return p.object; });
  std::string out;
  for (const std::string& piece : Pieces(pieces, codes)) {
    if (!hasObjects) return std::string(text::LeftBytes(piece, limit));
    if (out.size() + piece.size() > limit) break;
    out += piece;
  }
  return out;
}

}  // namespace orvinta::compose
