#pragma once
// Lines in the rooms' transcripts: chat lines, system lines, clearing the
// screen. A line for a room that is not open opens its tab.
#include <ctime>
#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "client/compose/chat_line.h"
#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/line_listener.h"
#include "client/window/portal_config.h"
#include "client/window/reading_preferences.h"
#include "platform/message_box.h"
#include "platform/window_host.h"
#include "protocol/chat_window.h"
#include "protocol/launch_settings.h"

namespace orvinta::window {

class TranscriptPresenter {
 public:
  TranscriptPresenter(ChannelList& channels, ChannelTabs& tabs, platform::WindowHost& host,
                      platform::MessageBoxes& boxes, const PortalConfig& portal, const LaunchSettings& self);

  // `templ` is program markup whose "%s" and "%d" take `args`, which are
  // other people's text and shown as text.
  void AddInfoLine(std::string_view channelName, std::string_view templ, std::initializer_list<std::string_view> args);
  // `html` is program markup whose received parts are escaped already.
  void AddInfoLineHtml(std::string_view channelName, std::string_view html);
  // A received line in its wire form.
  void AddMessage(std::string_view channelName, std::string_view senderId, std::string_view text);
  // A line from its fields: the user's own line is shown from what was sent.
  void ShowChatLine(std::string_view channelName, std::string_view senderId, const compose::ChatLine& line);
  // Button 1058.
  void OnClearScreen();

  // Lines from a room's history (oldest first) above its oldest line, each
  // with its time as of `now`; ignored members' stay hidden. With `divider`
  // the line that sets history apart from live lines goes below them. Not
  // told to listeners: the user saw them before. True when any line was put.
  bool AddEarlierLines(std::string_view channelName, std::span<const protocol::EarlierLine> lines,
                       const std::tm& now, bool divider);
  // Lines said while the connection was down, at the end as live ones with
  // their times: tab marks and the listeners once for the batch (see
  // LineListener::OnLinesShown). `unavailable` (nullopt: some, above 0: that
  // many) were lost, and a line before them says so.
  void AddMissedLines(std::string_view channelName, std::span<const protocol::EarlierLine> lines,
                      std::optional<std::uint64_t> unavailable, const std::tm& now);

  // Told of every line after it is shown; the listener outlives the presenter.
  void AddListener(LineListener& listener) { listeners_.push_back(&listener); }
  // Read as each line arrives; the preferences outlive the presenter.
  void UsePreferences(const ReadingPreferences& preferences) { preferences_ = &preferences; }
  const ReadingPreferences& Preferences() const { return *preferences_; }

 private:
  // A chat line as the room shows it, and what the listeners hear of it;
  // nullopt when it is not shown (an ignored sender, nothing to show).
  struct ChatEntry {
    TranscriptLine line;
    bool mention = false;  // names the user (tinted when the user chose so)
    bool own = false;
    std::string nick, text;  // as the listeners hear them
  };
  std::optional<ChatEntry> MakeChatEntry(const Channel& channel, std::string_view senderId,
                                         const compose::ChatLine& line) const;
  ShownLine Shown(const ChatEntry& entry, std::string_view senderId) const;
  Channel* ChannelForLine(std::string_view name);
  void AfterLine(Channel& channel, bool flashWhenMinimised, bool mention = false, bool own = false);
  void TellListeners(const Channel& channel, ShownLine line) const;
  void TellListeners(const Channel& channel, std::span<ShownLine> lines) const;

  ChannelList& channels_;
  ChannelTabs& tabs_;
  platform::WindowHost& host_;
  platform::MessageBoxes& boxes_;
  const PortalConfig& portal_;
  const LaunchSettings& self_;  // whose nick and id make a line a mention
  const ReadingPreferences* preferences_;
  std::vector<LineListener*> listeners_;
};

}  // namespace orvinta::window
