#pragma once
// Start-up and the window's timers: timer 2 connects 600 ms after start
// (hand-overs wait until the login), timer 3 ends the program when no login reply
// came, and the copy-data message of a second launch that hands over a room
// (the popups answer in-process, never through it).
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "client/window/channel_list.h"
#include "client/window/channel_tabs.h"
#include "client/window/prompts_and_votes.h"
#include "client/window/timer_router.h"
#include "client/window/window_config_store.h"
#include "client/window/window_flags.h"
#include "platform/single_instance.h"
#include "platform/window_host.h"
#include "protocol/launch_settings.h"
#include "protocol/zup_chat_main.h"

namespace orvinta::window {

struct StartupHooks {
  std::function<void()> connect;     // what the connect button does
  std::function<void()> endProgram;  // disconnect, close every room, close the window
};

class StartupAndTimers {
 public:
  enum Timer { kStartTimer = 2, kLoginWatchdog = 3 };
  static constexpr int kStartDelayMs = 600;
  static constexpr int kLoginWatchdogMs = 8000;
  // The one copy-data message the window answers.
  static constexpr std::uint32_t kHandOver = 0x502;

  StartupAndTimers(ChannelList& channels, ChannelTabs& tabs, PromptsAndVotes& prompts, WindowFlags& flags,
                   LaunchSettings& settings, protocol::CZupChatMain& session, platform::WindowHost& host,
                   platform::MessageBoxes& boxes, TimerBlock& timers, WindowConfigStore* config, StartupHooks hooks);

  // Reads the configuration file; once, before the window is placed. The
  // defaults when nothing is kept.
  const config::ConfigValues& LoadConfig();
  // The stored rectangle when it is at least 600 x 415, else the current
  // position at that size; moved onto the nearest screen when off all of them.
  void PlaceWindow(const config::ConfigValues& stored);
  // On close: the normal rectangle, then every setting.
  void SaveConfig();

  // Connects, and starts timers 2 (the launch lock) and 3.
  void StartStartupTimers();
  void OnTimer(int id);
  void StopLoginWatchdog();
  void KillAll();
  // A hand-over that comes before the login waits for it (at most a few).
  void OnCopyData(const platform::CopyData& data);
  // The session has logged in: the waiting hand-overs are acted on.
  void OnLoggedIn();
  // The first login is being tried again: the waiting room's title line says
  // so until it gets in (no box: nothing needs answering).
  void OnLoginDelayed();

 private:
  void OnStartTimer();
  void OnLoginWatchdog();
  void OnHandOver(std::string_view payload);

  ChannelList& channels_;
  ChannelTabs& tabs_;
  PromptsAndVotes& prompts_;
  WindowFlags& flags_;
  LaunchSettings& settings_;
  protocol::CZupChatMain& session_;
  platform::WindowHost& host_;
  platform::MessageBoxes& boxes_;
  TimerBlock& timers_;
  WindowConfigStore* config_;
  StartupHooks hooks_;
  std::vector<std::string> waitingHandOvers_;
  bool loginDelayed_ = false;
};

}  // namespace orvinta::window
