#pragma once
// The live rooms as JSON for the portal pages: UTF-8, every string escaped.
#include <string>
#include <string_view>

#include "server/server_view.h"

namespace orvinta::server {

// {"rooms":[{"key":"..","title":"..","members":3},...]}
std::string RoomsJson(const ServerView& view);

// A JSON string literal (quotes included) of code page 949 text.
std::string JsonString(std::string_view cp949);

}  // namespace orvinta::server
