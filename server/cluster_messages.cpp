#include "server/cluster_messages.h"

#include <charconv>
#include <vector>

#include "server/server_limits.h"
#include "server/wire_fields.h"
#include "text/text_util.h"

namespace orvinta::server {

std::string MakeClusterMessage(std::string_view origin, std::uint64_t sentMs, std::string_view target,
                               std::string_view command, std::string_view body) {
  std::string payload;
  payload.reserve(origin.size() + target.size() + command.size() + body.size() + 24);
  payload.append(origin).push_back('\0');
  payload.append(std::to_string(sentMs)).push_back('\0');
  payload.append(target).push_back('\0');
  payload.append(command).push_back('\0');
  payload.append(body);
  return payload;
}

std::optional<ClusterMessage> ParseClusterMessage(std::string_view payload) {
  if (payload.size() > kMaxClusterMessage) return std::nullopt;
  std::string_view parts[5];
  std::size_t count = 0;
  for (; count < 4; ++count) {
    const auto at = payload.find('\0');
    if (at == std::string_view::npos) return std::nullopt;
    parts[count] = payload.substr(0, at);
    payload.remove_prefix(at + 1);
  }
  parts[4] = payload;
  if (parts[0].size() > kMaxRunName || parts[2].empty() || parts[3].size() != 4) return std::nullopt;
  ClusterMessage message{parts[0], std::nullopt, parts[2], parts[3], parts[4]};
  std::uint64_t sent = 0;
  const auto [end, ec] = std::from_chars(parts[1].data(), parts[1].data() + parts[1].size(), sent);
  if (ec == std::errc{} && end == parts[1].data() + parts[1].size()) message.sentMs = sent;
  return message;
}

std::string MakeMemberRecord(std::string_view node, const ClusterMember& m) {
  std::string record(node);
  record.append("/").append(m.icon).append("/").append(m.status).append("/").append(m.nick);
  return record;
}

std::optional<ClusterMember> ParseMemberRecord(std::string_view id, std::string_view record) {
  static const ServerLimits limits;
  if (!IsValidUserId(id, limits) || record.size() > 512) return std::nullopt;
  const auto fields = text::SplitFields(record, '/', 4);
  const auto icon = CleanNumber(fields[1], limits);
  const auto status = CleanNumber(fields[2], limits);
  if (fields[0].empty() || !icon || !status) return std::nullopt;
  return ClusterMember{std::string(id), CleanNick(fields[3], id, limits), *icon, *status};
}

}  // namespace orvinta::server
