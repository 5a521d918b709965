#pragma once
// The HTML file of a saved transcript: a fixed head, the room's lines, a fixed tail.
#include <string>
#include <string_view>

namespace orvinta::saving {

// The head's lines joined by "\n", its last line empty.
const std::string& SavedDocumentHead();
inline constexpr std::string_view kSavedDocumentTail = "</body>\n</html>\n";

std::string SavedDocument(std::string_view transcriptHtml);

}  // namespace orvinta::saving
