#pragma once
// The member a click in the member list picked: the page writes the row's
// text, nick + "(" + id + ")", into its SELECT_USER element.
#include <optional>
#include <string>
#include <string_view>

namespace orvinta::window {

struct SelectedMember {
  std::string nick;  // as shown, entities decoded
  std::string id;    // as kept in the room's list ("_" before a leading digit)
};

// The entry read back from the page, or nullopt when nothing is selected.
// The id is the text inside the last brackets, since a nick may hold "(".
std::optional<SelectedMember> ParseSelectedMember(std::string_view html);

// Inner HTML read back as text: the named entities a page writes for text
// (&amp; &lt; &gt; &quot; &apos; &nbsp;) and ASCII character references.
std::string DecodeHtmlEntities(std::string_view html);

}  // namespace orvinta::window
