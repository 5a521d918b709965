#pragma once
// Everything the main window's logic reaches the outside through. The Qt side
// builds one of these at start-up; tests build it from fakes.
#include "client/window/prompt_notifier.h"
#include "client/window/transcript_view.h"
#include "client/window/window_config_store.h"
#include "platform/html_view.h"
#include "platform/input_line.h"
#include "platform/local_clock.h"
#include "platform/member_list_view.h"
#include "platform/message_box.h"
#include "platform/popup_menu.h"
#include "platform/shell.h"
#include "platform/sound.h"
#include "platform/timers.h"
#include "platform/traffic_log.h"
#include "platform/transport.h"
#include "platform/window_host.h"
#include "protocol/connect_policy.h"

namespace orvinta::window {

struct WindowPorts {
  platform::WindowHost& host;
  platform::HtmlViewFactory& views;
  // The main window's timers. Ids 1-4 are the window's own; each HTML view
  // gets a block of ids of its own above kViewTimerBase (see timer_router.h).
  platform::Timers& timers;
  platform::MessageBoxes& boxes;
  platform::Sound& sound;
  platform::Shell& shell;
  platform::TransportFactory& transports;
  platform::TrafficLog* monitor = nullptr;    // the "Chat Monitor", when open
  PromptNotifier* notifier = nullptr;         // popup prompts; none: prompts are not shown
  WindowConfigStore* config = nullptr;        // the configuration file; none: nothing is kept
  platform::InputLine* input = nullptr;       // the message input line; none: composing does nothing
  platform::PopupMenus* menus = nullptr;      // popup menus; none: the member menu is not shown
  platform::MemberListViewFactory* memberViews = nullptr;  // none: the member list shows nothing
  platform::LocalClock* clock = nullptr;  // the time of day in notices; none: the system's
  TranscriptViewFactory* transcriptViews = nullptr;  // none: rooms keep their lines but show none
  protocol::ConnectPolicy connectPolicy = {};  // from the user's settings, not the launch text
};

}  // namespace orvinta::window
