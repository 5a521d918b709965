#pragma once
// What the rooms show while the session gets back to a lost server: one line
// in each open room when the connection drops, one when it is back (with the
// times), and which rooms to enter again.
#include <cstdint>
#include <ctime>
#include <string>
#include <string_view>
#include <vector>

#include "client/window/channel_list.h"
#include "client/window/member_lists.h"
#include "client/window/transcript_presenter.h"
#include "platform/local_clock.h"

namespace orvinta::window {

class ConnectionNotices {
 public:
  ConnectionNotices(ChannelList& channels, MemberLists& members, TranscriptPresenter& transcript,
                    platform::LocalClock& clock)
      : channels_(channels), members_(members), transcript_(transcript), clock_(clock) {}

  // Both lines give the time the connection went silent, which may be well
  // before the drop was noticed.
  void OnAway(std::int64_t silentForMs);
  // Member lists start over: entering again lists everyone anew.
  void OnBack();
  // Back in one room, its missed lines shown: the notice that says so.
  void OnBackIn(std::string_view room);
  std::vector<std::string> OpenRooms() const;

 private:
  std::string TimeAgo(std::int64_t ms);

  ChannelList& channels_;
  MemberLists& members_;
  TranscriptPresenter& transcript_;
  platform::LocalClock& clock_;
  std::string awaySince_;
  std::string backAt_;
};

}  // namespace orvinta::window
