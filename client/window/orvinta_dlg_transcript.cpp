// Lines in the transcripts, clearing a transcript, and the waiting room's
// home page actions.
#include <array>
#include <vector>

#include "client/window/chat_line.h"
#include "client/window/member.h"
#include "client/window/orvinta_dlg.h"
#include "client/window/text_filters.h"
#include "protocol/guarded.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

constexpr std::string_view kEndLine = "END_LINE";
constexpr std::string_view kLeftLine = "퇴장하셨습니다";
constexpr std::string_view kCannotClearHome = "대기실 화면은 지울 수 없습니다  ";
constexpr std::string_view kAskClear =
    "현재 채팅창의 화면을 모두 지웁니다.(지우신 내용은 저장 하실 수 없습니다)  \n\n"
    "                                   화면을 지우시겠습니까?";
// Put into the home page's DETAIL element before the members of a room are listed.
constexpr std::string_view kDetailPlaceholder = "<SPAN ID=DETAIL_MORE></SPAN>";
constexpr std::size_t kMaxRoomTitleBytes = 260;
constexpr std::size_t kCutRoomTitleBytes = 250;

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

Channel* COrvintaDlg::ChannelForLine(std::string_view name) {
  if (Channel* channel = FindChannelByName(name)) return channel;
  if (!name.empty() && name.front() == '#') return AddChannel(name, ChannelKind::Room);
  return nullptr;
}

void COrvintaDlg::AfterLine(Channel& channel, bool flashWhenMinimised) {
  channel.view->page().ScrollToMarker(std::string(kEndLine));
  if (&channel != current_) SetActivity(channel.name, true);
  if (flashWhenMinimised && IsMinimised()) ports_.host.FlashOnce();
}

void COrvintaDlg::AddInfoLine(std::string_view channel, std::string_view templ,
                              std::initializer_list<std::string_view> args) {
  Guarded([&] {
    // Arguments come from other people: they become visible text only.
    std::vector<std::string> safe;
    for (std::string_view arg : args) safe.push_back(EscapeHtml(SanitizeText(arg)));
    AddInfoLineHtml(channel, FillTemplate(templ, safe));
  });
}

void COrvintaDlg::AddInfoLineHtml(std::string_view channelName, std::string_view html) {
  Guarded([&] {
    if (channelName.empty()) return;
    Channel* channel = ChannelForLine(channelName);
    if (!channel) return;
    const std::string text = SanitizeText(html);
    channel->view->page().AppendBeforeMarker(std::string(kEndLine), RenderInfoLine(text));
    AfterLine(*channel, text.find(kLeftLine) == std::string::npos);
  });
}

void COrvintaDlg::AddMessage(std::string_view channelName, std::string_view senderId, std::string_view text) {
  Guarded([&] {
    if (channelName.empty() || senderId.empty()) return;
    Channel* channel = ChannelForLine(channelName);
    if (!channel || IsIgnored(channel->name, senderId)) return;
    const auto html = RenderChatLine(ParseChatLine(text), portal_);
    if (!html) return;
    channel->view->page().AppendBeforeMarker(std::string(kEndLine), *html);
    AfterLine(*channel, true);
  });
}

void COrvintaDlg::OnClearScreen() {
  Guarded([&] {
    if (!current_) return;
    if (current_->kind == ChannelKind::WaitingRoom) {
      Tell(kCannotClearHome);
      return;
    }
    const std::string name = current_->name;
    if (!Ask(kAskClear)) return;
    Channel* channel = FindChannelByName(name);  // it may have closed while the question was open
    if (!channel) return;
    PageQueue& page = channel->view->page();
    page.SetElementHtml("CHAT_MAIN", "<SPAN ID=END_LINE></SPAN>");
    page.AppendBeforeMarker(std::string(kEndLine), std::string(ClearedNoticeHtml()));
    page.AppendBeforeMarker(std::string(kEndLine), std::string(ClearedWarningHtml()));
  });
}

// The room-list page reports the user's choice in elements; the first one
// that is filled is acted on. Reads are answered later, so each step runs
// from the previous step's answer.
void COrvintaDlg::OnHomePageClick() {
  Guarded([&] { RunHomeAction(0); });
}

void COrvintaDlg::RunHomeAction(std::size_t step) {
  static constexpr std::array<std::string_view, 4> kElements = {"MIREL_KEY", "SEL_MORE", "REFRESH", "GO_URL"};
  if (step >= kElements.size() || channels_.empty()) return;
  CChatDlg& home = *channels_.front()->view;
  home.page().GetElementHtml(std::string(kElements[step]), [this, step](const std::string& html) {
    Guarded([&] {
      const std::string value(text::Trim(html));
      if (value.empty()) {
        RunHomeAction(step + 1);
        return;
      }
      switch (step) {
        case 0:
          if (!IsUsableRoomKey(value) || channels_.empty()) return;
          channels_.front()->view->page().GetElementHtml("TITLE_" + value, [this, value](const std::string& title) {
            Guarded([&] { EnterRoomFromHome(value, std::string(text::Trim(title))); });
          });
          break;
        case 1:
          if (IsUsableRoomKey(value)) ShowRoomDetails(value);
          break;
        case 2:
          channels_.front()->view->Reload();
          break;
        default:
          OpenPageAddress(ports_.shell, html);
      }
    });
  });
}

void COrvintaDlg::EnterRoomFromHome(const std::string& key, const std::string& title) {
  if (const Channel* open = FindChannelByName(protocol::ChannelName(key))) {
    SelectAndSwitch(TabIndexOf(open));
    return;
  }
  settings_.RoomKey = key;
  settings_.RoomTitle = title.size() > kMaxRoomTitleBytes ? std::string(text::LeftBytes(title, kCutRoomTitleBytes))
                                                         : title;
  if (loggedIn_) session_->SendChatIn(key);
}

void COrvintaDlg::ShowRoomDetails(const std::string& key) {
  if (channels_.empty()) return;
  PageQueue& home = channels_.front()->view->page();
  home.SetElementHtml("DETAIL", std::string(kDetailPlaceholder));
  if (!loggedIn_) return;
  if (const Channel* open = FindChannelByName(protocol::ChannelName(key))) {
    for (const Member& member : open->members) {
      if (!member.nick.empty()) home.AppendBeforeMarker("DETAIL_MORE", RenderDetailEntry(member));
    }
    return;
  }
  session_->SendAskUserInfo(key);
}

void COrvintaDlg::AddRoomDetailEntry(std::string_view entry) {
  Guarded([&] {
    if (channels_.empty()) return;
    channels_.front()->view->page().AppendBeforeMarker("DETAIL_MORE", RenderDetailEntry(entry, portal_));
  });
}

}  // namespace orvinta::window
