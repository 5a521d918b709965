#include "client/window/transcript_presenter.h"

#include <vector>

#include "client/window/history_time.h"
#include "client/window/line_html.h"
#include "client/window/mention.h"
#include "client/window/text_filters.h"
#include "client/window/window_dialogs.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kLeftLine = "퇴장하셨습니다";
constexpr std::string_view kCannotClearHome = "대기실 화면은 지울 수 없습니다  ";
constexpr std::string_view kAskClear =
    "현재 채팅창의 화면을 모두 지웁니다.(지우신 내용은 저장 하실 수 없습니다)  \n\n"
    "                                   화면을 지우시겠습니까?";

const ReadingPreferences kDefaultPreferences;

// Fills the "%s" and "%d" marks of a program template in order; "%%" gives "%".
std::string FillTemplate(std::string_view templ, const std::vector<std::string>& args) {
  std::string out;
  std::size_t next = 0;
  for (std::size_t i = 0; i < templ.size(); ++i) {
    if (templ[i] == '%' && i + 1 < templ.size()) {
      const char kind = templ[i + 1];
      if (kind == '%' || kind == 's' || kind == 'd') {
        if (kind == '%') out.push_back('%');
        else if (next < args.size()) out += args[next++];
        ++i;
        continue;
      }
    }
    out.push_back(templ[i]);
  }
  return out;
}

}  // namespace

TranscriptPresenter::TranscriptPresenter(ChannelList& channels, ChannelTabs& tabs, platform::WindowHost& host,
                                         platform::MessageBoxes& boxes, const PortalConfig& portal,
                                         const LaunchSettings& self)
    : channels_(channels),
      tabs_(tabs),
      host_(host),
      boxes_(boxes),
      portal_(portal),
      self_(self),
      preferences_(&kDefaultPreferences) {}

Channel* TranscriptPresenter::ChannelForLine(std::string_view name) { return tabs_.OpenForTraffic(name); }

void TranscriptPresenter::AfterLine(Channel& channel, bool flashWhenMinimised, bool mention, bool own) {
  // The user's own line is brought into view even when the user had scrolled away.
  if (own) channel.view->JumpToNewest();
  if (&channel != channels_.Current()) {
    if (mention) tabs_.SetMention(channel.name);
    else tabs_.SetActivity(channel.name, true);
  }
  if (flashWhenMinimised && tabs_.IsMinimised()) host_.FlashOnce();
}

void TranscriptPresenter::TellListeners(const Channel& channel, ShownLine line) const {
  TellListeners(channel, std::span<ShownLine>(&line, 1));
}

void TranscriptPresenter::TellListeners(const Channel& channel, std::span<ShownLine> lines) const {
  const bool oneToOne = protocol::IsPrivateRoom(channel.name);
  for (ShownLine& line : lines) {
    line.room = channel.name;
    line.roomTitle = channel.title;
    line.oneToOne = oneToOne;
  }
  for (LineListener* listener : listeners_) {
    if (lines.size() == 1) listener->OnLineShown(lines.front());
    else listener->OnLinesShown(lines);
  }
}

void TranscriptPresenter::AddInfoLine(std::string_view channelName, std::string_view templ,
                                      std::initializer_list<std::string_view> args) {
  std::vector<std::string> safe;
  for (std::string_view arg : args) safe.push_back(EscapeHtml(SanitizeText(arg)));
  AddInfoLineHtml(channelName, FillTemplate(templ, safe));
}

void TranscriptPresenter::AddInfoLineHtml(std::string_view channelName, std::string_view html) {
  if (channelName.empty()) return;
  Channel* channel = ChannelForLine(channelName);
  if (!channel) return;
  const std::string text = SanitizeText(html);
  channel->view->AddLine(InfoLine(text));
  AfterLine(*channel, text.find(kLeftLine) == std::string::npos);
  TellListeners(*channel, {.system = true, .text = text});
}

void TranscriptPresenter::AddMessage(std::string_view channelName, std::string_view senderId, std::string_view text) {
  ShowChatLine(channelName, senderId, compose::ParseChatLine(text));
}

std::optional<TranscriptPresenter::ChatEntry> TranscriptPresenter::MakeChatEntry(const Channel& channel,
                                                                                 std::string_view senderId,
                                                                                 const compose::ChatLine& line) const {
  if (senderId.empty() || channel.Ignores(senderId)) return std::nullopt;
  auto shown = ChatLineFrom(line, portal_);
  if (!shown) return std::nullopt;
  ChatEntry entry{.line = std::move(*shown)};
  entry.own = text::EqualsIgnoreCase(senderId, self_.UserId);
  entry.mention = !entry.own && NamesUser(line.text, OwnNames{self_.UserId, self_.Nick});
  entry.line.mention = entry.mention && preferences_->highlightMentions;
  if (!listeners_.empty()) {
    entry.nick = compose::ShownField(line.nick);
    entry.text = compose::ShownField(line.text);
  }
  return entry;
}

ShownLine TranscriptPresenter::Shown(const ChatEntry& entry, std::string_view senderId) const {
  return {.senderId = senderId, .senderNick = entry.nick, .text = entry.text, .mention = entry.mention, .own = entry.own};
}

void TranscriptPresenter::ShowChatLine(std::string_view channelName, std::string_view senderId,
                                       const compose::ChatLine& line) {
  if (channelName.empty() || senderId.empty()) return;
  Channel* channel = ChannelForLine(channelName);
  if (!channel) return;
  auto entry = MakeChatEntry(*channel, senderId, line);
  if (!entry) return;
  const bool highlight = entry->line.mention;
  channel->view->AddLine(std::move(entry->line));
  AfterLine(*channel, true, highlight, entry->own);
  if (!listeners_.empty()) TellListeners(*channel, Shown(*entry, senderId));
}

bool TranscriptPresenter::AddEarlierLines(std::string_view channelName, std::span<const protocol::EarlierLine> lines,
                                          const std::tm& now, bool divider) {
  Channel* channel = channels_.FindByName(channelName);
  if (!channel || channel->kind != ChannelKind::Room) return false;
  std::vector<TranscriptLine> shown;
  shown.reserve(lines.size() + 1);
  for (const protocol::EarlierLine& earlier : lines) {
    auto entry = MakeChatEntry(*channel, earlier.senderId, compose::ParseChatLine(earlier.text));
    if (!entry) continue;
    entry->line.SetTime(HistoryTime(earlier.timeMs, now));
    shown.push_back(std::move(entry->line));
  }
  if (divider && !shown.empty()) shown.push_back(HistoryDividerLine());
  return channel->view->AddLinesInFront(std::move(shown)) > 0;
}

void TranscriptPresenter::AddMissedLines(std::string_view channelName, std::span<const protocol::EarlierLine> lines,
                                         std::optional<std::uint64_t> unavailable, const std::tm& now) {
  if (channelName.empty()) return;
  Channel* channel = ChannelForLine(channelName);
  if (!channel) return;
  if (!unavailable || *unavailable > 0) {
    const TranscriptLine notice = UnavailableLinesLine(unavailable);
    channel->view->AddLine(notice);
    TellListeners(*channel, {.system = true, .text = notice.text});
  }
  std::vector<ChatEntry> entries;
  std::vector<const protocol::EarlierLine*> shown;
  bool mention = false;
  for (const protocol::EarlierLine& missed : lines) {
    auto entry = MakeChatEntry(*channel, missed.senderId, compose::ParseChatLine(missed.text));
    if (!entry) continue;
    entry->line.SetTime(HistoryTime(missed.timeMs, now));
    mention = mention || entry->line.mention;
    channel->view->AddLine(std::move(entry->line));
    entries.push_back(std::move(*entry));
    shown.push_back(&missed);
  }
  if (entries.empty()) return;
  AfterLine(*channel, true, mention);
  if (listeners_.empty()) return;
  std::vector<ShownLine> told;
  told.reserve(entries.size());
  for (std::size_t i = 0; i < entries.size(); ++i) {
    told.push_back(Shown(entries[i], shown[i]->senderId));
    told.back().saidAtMs = shown[i]->timeMs;
  }
  TellListeners(*channel, told);
}

void TranscriptPresenter::OnClearScreen() {
  const Channel* current = channels_.Current();
  if (!current) return;
  if (current->kind == ChannelKind::WaitingRoom) {
    Tell(boxes_, kCannotClearHome);
    return;
  }
  const std::string name = current->name;
  if (!Ask(boxes_, kAskClear)) return;
  Channel* channel = channels_.FindByName(name);  // it may have closed while the question was open
  if (!channel) return;
  channel->view->ClearLines();
  channel->historyEnded = true;  // what was cleared is not brought back by scrolling up
  channel->view->AddLine(ClearedNoticeLine());
  channel->view->AddLine(ClearedWarningLine());
}

}  // namespace orvinta::window
