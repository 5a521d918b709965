#pragma once
// One room tab: its transcript view, member list and composing settings.
#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "client/compose/compose_tables.h"
#include "client/compose/send_history.h"
#include "client/window/chat_dlg.h"
#include "client/window/member.h"

namespace orvinta::window {

enum class ChannelKind : std::uint8_t { WaitingRoom = 1, Room = 4 };

// Code page 949 texts, defined where they are compiled as such (this header is
// also read by code compiled in UTF-8).
std::string_view WaitingRoomName();   // the waiting room's channel name
std::string_view WaitingRoomTitle();  // its title line
std::string PrivateRoomTitle(std::string_view partnerNick);  // a 1:1 room's title line

struct Channel {
  std::string name;  // "#" + room key, or the waiting room's name; compared without case
  std::unique_ptr<CChatDlg> view;
  std::string title;
  std::list<Member> members;  // order of arrival
  ChannelKind kind = ChannelKind::Room;
  compose::SendHistory history;      // lines sent here, at most 100, with the recall cursor
  std::vector<std::string> ignored;  // member ids whose lines are dropped here
  std::int32_t fontFace = compose::kDefaultFace;  // 1 굴림, 2 바탕, 3 돋움, 4 궁서
  std::int32_t style = 0;                         // 1 bold, 2 italic, 4 underline
  std::int32_t fontSize = compose::kDefaultSize;
  std::uint32_t textColour = compose::kDefaultTextColour;
  std::uint32_t backColour = compose::kDefaultBackColour;
  std::int32_t voteRequested = 0;
  std::int32_t voteActive = 0;
  std::string voteTarget;
  std::array<std::int32_t, 2> voteCounters{0, 0};
  std::int32_t statusIndex = 0;
  bool historyDivider = false;  // the line below the room's history is shown
  bool historyEnded = false;    // no older lines to ask for: the history ended, or the screen was cleared

  bool Ignores(std::string_view id) const;
};

}  // namespace orvinta::window
