#pragma once
// One member of a room's list, the status vocabulary, and the HTML that the
// member-list page and the waiting room's detail list show for a member.
#include <array>
#include <list>
#include <optional>
#include <string>
#include <string_view>

#include "client/window/portal_config.h"
#include "platform/member_list_view.h"

namespace orvinta::window {

struct Member {
  std::string id;  // compared exactly
  std::string nick;  // empty: neither shown nor counted
  std::string iconAddress;
  std::array<std::string, 6> prefixMarks;  // the mark the entry arrived with, in its slot; never shown
  int status = 0;
};

// The marks an entry may begin with, in slot order.
inline constexpr std::string_view kPrefixMarks = "-+%@*!";

struct StatusEntry {
  int status;
  std::string_view text;  // combo and menu text, and the picture's title
  int menuCommand;        // status menu command
};
inline constexpr int kStatusCount = 7;
extern const std::array<StatusEntry, kStatusCount> kStatuses;

// The status for a status-menu command (32786-32792); nullopt for any other.
std::optional<int> StatusForMenuCommand(int command);

// What the member list shows for a member: nick + "(" + id without leading "_" + ")".
std::string MemberLabel(const Member& member);
platform::MemberRow MemberRowOf(const Member& member);

// One entry of the waiting room's room-detail list from "x|x|nick|icon".
std::string RenderDetailEntry(std::string_view entry, const PortalConfig& portal);
// The same entry for a member of a room the user is in (its large icon, shown small).
std::string RenderDetailEntry(const Member& member);

}  // namespace orvinta::window
