#include "client/window/mention.h"

#include "text/text_util.h"

namespace orvinta::window {
namespace {

unsigned char Lower(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// Whether `needle` starts at a character start of `text`, walking by whole
// code page 949 characters so a match never begins inside one.
bool ContainsOnBoundary(std::string_view text, std::string_view needle, bool ignoreCase) {
  if (needle.empty() || needle.size() > text.size()) return false;
  for (std::size_t i = 0; i + needle.size() <= text.size();) {
    bool same = true;
    for (std::size_t k = 0; k < needle.size() && same; ++k) {
      const auto a = static_cast<unsigned char>(text[i + k]), b = static_cast<unsigned char>(needle[k]);
      same = ignoreCase ? Lower(a) == Lower(b) : a == b;
    }
    if (same) return true;
    i += text::IsLeadByte(static_cast<unsigned char>(text[i])) && i + 1 < text.size() ? 2 : 1;
  }
  return false;
}

}  // namespace

bool NamesUser(std::string_view text, const OwnNames& self) {
  std::string_view id = self.id;
  if (!id.empty() && id.front() == '_') id.remove_prefix(1);
  return ContainsOnBoundary(text, self.nick, false) || ContainsOnBoundary(text, id, true);
}

}  // namespace orvinta::window
