#pragma once
// The live rooms as JSON for the portal pages: UTF-8, every string escaped.
#include <string>
#include <string_view>

#include "server/server_view.h"

namespace orvinta::server {

inline constexpr std::size_t kRoomsPageDefault = 50;
inline constexpr std::size_t kRoomsPageMax = 200;

// One page of the public rooms, in key order:
// {"total":120,"offset":0,"rooms":[{"key":"..","title":"..","members":3},...]}
// limit is cut to kRoomsPageMax.
std::string RoomsJson(const ServerView& view, std::size_t offset = 0, std::size_t limit = kRoomsPageDefault);

// A JSON string literal (quotes included) of code page 949 text.
std::string JsonString(std::string_view cp949);

}  // namespace orvinta::server
