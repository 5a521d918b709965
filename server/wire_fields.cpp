#include "server/wire_fields.h"

#include <algorithm>

#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::server {
namespace {

constexpr std::string_view kPrivatePrefix = "Pchat";

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

}  // namespace

bool IsValidUserId(std::string_view id, const ServerLimits& limits) {
  if (id.empty() || id.size() > limits.maxIdBytes) return false;
  return std::none_of(id.begin(), id.end(), [](char c) { return IsControl(c) || c == ' ' || c == '^' || c == '/'; });
}

std::optional<std::string> CleanRoomKey(std::string_view field, const ServerLimits& limits) {
  const std::string_view key = protocol::StripChannelMark(field);
  if (key.empty() || key.size() > limits.maxRoomKeyBytes) return std::nullopt;
  if (std::any_of(key.begin(), key.end(), [](char c) { return IsControl(c) || c == '/'; })) return std::nullopt;
  // " lobby" would otherwise be a room of its own that looks like "lobby".
  if (key.front() == ' ' || key.back() == ' ') return std::nullopt;
  return std::string(key);
}

std::string RoomIdOf(std::string_view key) { return text::ToLower(key); }

std::string CleanNick(std::string_view nick, std::string_view fallback, const ServerLimits& limits) {
  std::string clean;
  for (char c : nick) {
    if (!IsControl(c) && c != '/') clean.push_back(c);
  }
  clean = std::string(text::LeftBytes(clean, limits.maxNickBytes));
  return clean.empty() ? std::string(fallback) : clean;
}

std::optional<std::string> CleanNumber(std::string_view field, const ServerLimits& limits) {
  if (field.empty() || field.size() > limits.maxNumberDigits) return std::nullopt;
  if (!std::all_of(field.begin(), field.end(), [](char c) { return c >= '0' && c <= '9'; })) return std::nullopt;
  return std::string(field);
}

bool IsPrivateRoomKey(std::string_view roomKey) {
  return text::StartsWithIgnoreCase(roomKey, kPrivatePrefix) &&
         roomKey.find('^', kPrivatePrefix.size()) != std::string_view::npos;
}

bool MayEnterRoom(std::string_view roomKey, std::string_view userId) {
  if (!IsPrivateRoomKey(roomKey)) return true;
  const std::string_view pair = roomKey.substr(kPrivatePrefix.size());
  const auto caret = pair.find('^');
  return text::EqualsIgnoreCase(pair.substr(0, caret), userId) ||
         text::EqualsIgnoreCase(pair.substr(caret + 1), userId);
}

}  // namespace orvinta::server
