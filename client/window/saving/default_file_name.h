#pragma once
// The name proposed for a saved transcript: the room's title and the minute.
#include <ctime>
#include <string>
#include <string_view>

namespace orvinta::saving {

// The title's part of the name is cut, on a character boundary, to this
// many code page 949 bytes, so that the whole stays a legal file name.
inline constexpr std::size_t kMaxTitleBytes = 120;

// title + "(" + "%Y%m%d%H%M" + ")" + ".htm": "1:1" becomes "1대1", the
// characters \ / : * ? " < > | and control characters go, and so do dots at
// the start. Titles are chosen by other people and may hold anything.
std::string DefaultSaveName(std::string_view title, const std::tm& localTime);

}  // namespace orvinta::saving
