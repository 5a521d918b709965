#include "client/window/transcript_presenter.h"

#include <vector>

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
  line.room = channel.name;
  line.roomTitle = channel.title;
  line.oneToOne = protocol::IsPrivateRoom(channel.name);
  for (LineListener* listener : listeners_) listener->OnLineShown(line);
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

void TranscriptPresenter::ShowChatLine(std::string_view channelName, std::string_view senderId,
                                       const compose::ChatLine& line) {
  if (channelName.empty() || senderId.empty()) return;
  Channel* channel = ChannelForLine(channelName);
  if (!channel || channel->Ignores(senderId)) return;
  auto shown = ChatLineFrom(line, portal_);
  if (!shown) return;
  const bool own = text::EqualsIgnoreCase(senderId, self_.UserId);
  const bool mention = !own && NamesUser(line.text, OwnNames{self_.UserId, self_.Nick});
  const bool highlight = mention && preferences_->highlightMentions;
  shown->mention = highlight;
  channel->view->AddLine(std::move(*shown));
  AfterLine(*channel, true, highlight, own);
  if (listeners_.empty()) return;
  const std::string nick = compose::ShownField(line.nick);
  const std::string text = compose::ShownField(line.text);
  TellListeners(*channel, {.senderId = senderId, .senderNick = nick, .text = text, .mention = mention, .own = own});
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
  channel->view->AddLine(ClearedNoticeLine());
  channel->view->AddLine(ClearedWarningLine());
}

}  // namespace orvinta::window
