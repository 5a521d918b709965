#pragma once
// A browser that follows an orvinta:// link hands the program the link as
// it stands in the address: line feeds and Hangul percent-encoded. Such a
// text is decoded back to the launch text the page wrote.
#include <string>
#include <string_view>

namespace orvinta::shell {

// Percent-decodes an "orvinta://" text that carries no raw line feed; any
// other text, and a malformed escape within it, is kept as it is.
std::string DecodeLaunchLink(std::string_view text);

}  // namespace orvinta::shell
