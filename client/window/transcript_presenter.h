#pragma once
// Lines in the rooms' transcripts: chat lines, system lines, clearing the
// screen. A line for a room that is not open opens its tab.
#include <initializer_list>
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

  // Told of every line after it is shown; the listener outlives the presenter.
  void AddListener(LineListener& listener) { listeners_.push_back(&listener); }
  // Read as each line arrives; the preferences outlive the presenter.
  void UsePreferences(const ReadingPreferences& preferences) { preferences_ = &preferences; }

 private:
  Channel* ChannelForLine(std::string_view name);
  void AfterLine(Channel& channel, bool flashWhenMinimised, bool mention = false, bool own = false);
  void TellListeners(const Channel& channel, ShownLine line) const;

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
