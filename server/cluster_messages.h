#pragma once
// What nodes put into Redis and read back: a published message
// "NODE\0MILLISECONDS\0TARGET\0COMMAND\0BODY" and a member's record
// "NODE/ICON/STATUS/NICK". Read as untrusted: bounded and checked here.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "server/cluster_port.h"

namespace orvinta::server {

struct ClusterMessage {
  std::string_view origin;  // the publishing node; empty for the sweep
  std::optional<std::uint64_t> sentMs;
  std::string_view target;  // the room id or the member id
  std::string_view command;
  std::string_view body;
};

inline constexpr std::size_t kMaxClusterMessage = 4096;
// Between nodes: a vote expelled the member ("ID/KEY"); members hear it as "CHOT".
inline constexpr std::string_view kExpelledEvent = "EXPL";
inline constexpr std::size_t kMaxNodeName = 64;
// A run: the node's name, ":", 16 hex digits of its generation.
inline constexpr std::size_t kMaxRunName = kMaxNodeName + 17;

std::string MakeClusterMessage(std::string_view origin, std::uint64_t sentMs, std::string_view target,
                               std::string_view command, std::string_view body);
std::optional<ClusterMessage> ParseClusterMessage(std::string_view payload);

std::string MakeMemberRecord(std::string_view node, const ClusterMember& member);
// The member with id, its fields cleaned as a client's are; nullopt when unusable.
std::optional<ClusterMember> ParseMemberRecord(std::string_view id, std::string_view record);

}  // namespace orvinta::server
