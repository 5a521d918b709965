#pragma once
// Web addresses in a chat line's text turned into links. The text is the
// line's body after escaping: received angle brackets are entities, and the
// only tags are the ones the renderer put there itself (emoticon pictures).
#include <cstddef>
#include <string>
#include <string_view>

namespace orvinta::window {

// The length of the http or https address that starts at `at`, or 0 when
// none does. It stops at anything that is not a plain ASCII address
// character (spaces, quotes, control bytes, Korean text, escaped brackets),
// and leaves off punctuation that ends a sentence around it.
// An address longer than kMaxLinkAddress stays text (no link).
std::size_t WebAddressLength(std::string_view text, std::size_t at);

// Longer addresses are not links a person means others to follow.
inline constexpr std::size_t kMaxLinkAddress = 4096;

// The link around one address (as LinkWebAddresses writes it).
std::string LinkHtml(std::string_view address);

// Every address outside a tag wrapped in a link to it; nothing else changes.
std::string LinkWebAddresses(std::string_view body);

}  // namespace orvinta::window
