#include "client/window/startup_and_timers.h"

#include <utility>

#include "client/components/config/window_placement.h"
#include "client/shell/room_key_rule.h"
#include "client/window/window_dialogs.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kCannotConnect = "서버에 접속할 수 없습니다.";
constexpr std::string_view kLoginDelayed = "지금은 서버에 접속할 수 없어 잠시 후 다시 접속합니다…";
constexpr std::size_t kMaxHandOverBytes = 4096;
constexpr std::size_t kMaxTitleBytes = 260;
constexpr std::size_t kCutTitleBytes = 250;
// user id, room key, room title, peer id, peer nick
constexpr std::size_t kHandOverFields = 5;
// Launches handed over while the client is still starting; more are dropped.
constexpr std::size_t kMaxWaitingHandOvers = 8;

}  // namespace

StartupAndTimers::StartupAndTimers(ChannelList& channels, ChannelTabs& tabs, PromptsAndVotes& prompts,
                                   WindowFlags& flags, LaunchSettings& settings, protocol::CZupChatMain& session,
                                   platform::WindowHost& host, platform::MessageBoxes& boxes, TimerBlock& timers,
                                   WindowConfigStore* config, StartupHooks hooks)
    : channels_(channels),
      tabs_(tabs),
      prompts_(prompts),
      flags_(flags),
      settings_(settings),
      session_(session),
      host_(host),
      boxes_(boxes),
      timers_(timers),
      config_(config),
      hooks_(std::move(hooks)) {}

const config::ConfigValues& StartupAndTimers::LoadConfig() {
  static const config::ConfigValues kNothingKept;
  return config_ ? config_->LoadConfig() : kNothingKept;
}

void StartupAndTimers::PlaceWindow(const config::ConfigValues& stored) {
  host_.MoveWindow(config::PlaceMainWindow(stored, host_.GetWindowRect(), host_.ScreenRects(), host_.EarlierWindows()));
}

void StartupAndTimers::SaveConfig() {
  if (config_) config_->SaveConfig(host_.GetNormalRect());
}

void StartupAndTimers::StartStartupTimers() {
  flags_.launchLock = true;
  timers_.Set(kStartTimer, kStartDelayMs);
  timers_.Set(kLoginWatchdog, kLoginWatchdogMs);
  // Connecting waits for nothing: the first lines come as soon as the server
  // can send them. The start timer keeps only the launch lock.
  if (hooks_.connect) hooks_.connect();
}

void StartupAndTimers::OnTimer(int id) {
  switch (id) {
    case PromptsAndVotes::kVoteTimer: prompts_.OnVoteTimer(); break;
    case kStartTimer: OnStartTimer(); break;
    case kLoginWatchdog: OnLoginWatchdog(); break;
    case PromptsAndVotes::kInviteTimer: prompts_.StopInviteTimer(); break;
    default: timers_.Kill(id);
  }
}

void StartupAndTimers::OnStartTimer() {
  timers_.Kill(kStartTimer);
  flags_.launchLock = false;
  if (flags_.loggedIn) OnLoggedIn();  // launches handed over while the lock was on
}

void StartupAndTimers::OnLoginWatchdog() {
  timers_.Kill(kLoginWatchdog);
  if (flags_.loggedIn) return;
  Tell(boxes_, kCannotConnect);
  if (hooks_.endProgram) hooks_.endProgram();
}

void StartupAndTimers::StopLoginWatchdog() { timers_.Kill(kLoginWatchdog); }

void StartupAndTimers::KillAll() {
  for (int id : {int(PromptsAndVotes::kVoteTimer), int(kStartTimer), int(kLoginWatchdog),
                 int(PromptsAndVotes::kInviteTimer)}) {
    timers_.Kill(id);
  }
}

void StartupAndTimers::OnCopyData(const platform::CopyData& data) {
  std::string_view payload(data.bytes);
  payload = payload.substr(0, payload.find('\0'));  // the terminating zero and anything after it
  if (payload.size() > kMaxHandOverBytes) return;
  switch (data.dwData) {
    case kHandOver: OnHandOver(payload); break;
    default: break;
  }
}

void StartupAndTimers::OnLoginDelayed() {
  loginDelayed_ = true;
  host_.SetTitleText(std::string(kLoginDelayed));
}

void StartupAndTimers::OnLoggedIn() {
  const Channel* current = channels_.Current();
  if (std::exchange(loginDelayed_, false) && current && current->kind == ChannelKind::WaitingRoom) {
    tabs_.SetTitle(current->name, {});
  }
  std::vector<std::string> waiting;
  waiting.swap(waitingHandOvers_);
  for (const std::string& payload : waiting) OnHandOver(payload);
}

void StartupAndTimers::OnHandOver(std::string_view payload) {
  if (payload.empty()) return;
  // The other launch was told its room is taken over: it must not be lost
  // because this client has not logged in yet.
  if (flags_.launchLock || !flags_.loggedIn) {
    if (waitingHandOvers_.size() < kMaxWaitingHandOvers) waitingHandOvers_.emplace_back(payload);
    return;
  }
  auto parts = text::Split(payload, '\n');
  parts.resize(kHandOverFields);
  for (auto& part : parts) part = text::Trim(part);
  const std::string_view userId = parts[0], roomKey = parts[1], peerId = parts[3], peerNick = parts[4];
  if (userId != settings_.UserId) return;  // another user's launch
  std::string title = text::RemoveChars(parts[2], "|");
  if (title.size() > kMaxTitleBytes) title = std::string(text::LeftBytes(title, kCutTitleBytes));
  // Without a usable room key there is no room to enter or to invite into.
  const bool usable = shell::IsUsableRoomKey(roomKey);
  settings_.RoomKey = usable ? std::string(roomKey) : std::string();
  settings_.RoomTitle = title;
  if (peerId != settings_.UserId && usable) {
    const std::string channelName = protocol::ChannelName(roomKey);
    if (const Channel* open = channels_.FindByName(channelName)) {
      const int index = channels_.TabIndexOf(open);
      if (index >= 1) tabs_.SelectAndSwitch(index);
    } else {
      session_.SendChatIn(roomKey);
    }
    if (!peerId.empty() && !peerNick.empty() && !channels_.FindMember(channelName, peerId)) {
      session_.SendInvite(peerId);
      settings_.InvitePending = true;
      prompts_.StartInviteTimer();
    }
  }
  host_.FlashOnce();
}

}  // namespace orvinta::window
