#include "client/window/home_page_actions.h"

#include <array>

#include "client/shell/room_key_rule.h"
#include "client/window/member.h"
#include "protocol/room_key.h"
#include "text/text_util.h"

namespace orvinta::window {
namespace {

// Put into the home page's DETAIL element before the members of a room are listed.
constexpr std::string_view kDetailPlaceholder = "<SPAN ID=DETAIL_MORE></SPAN>";
constexpr std::size_t kMaxRoomTitleBytes = 260;
constexpr std::size_t kCutRoomTitleBytes = 250;

enum Step : std::size_t { kEnterRoom, kShowDetails, kRefresh, kOpenAddress };
constexpr std::array<std::string_view, 4> kStepElements = {"MIREL_KEY", "SEL_MORE", "REFRESH", "GO_URL"};

}  // namespace

HomePageActions::HomePageActions(ChannelList& channels, ChannelTabs& tabs, const WindowFlags& flags,
                                 LaunchSettings& settings, protocol::CZupChatMain& session, platform::Shell& shell,
                                 const PortalConfig& portal)
    : channels_(channels),
      tabs_(tabs),
      flags_(flags),
      settings_(settings),
      session_(session),
      shell_(shell),
      portal_(portal) {}

// The first element that is filled is acted on. Reads are answered later, so
// each step runs from the previous step's answer.
void HomePageActions::OnHomePageClick() { RunHomeAction(kEnterRoom); }

void HomePageActions::RunHomeAction(std::size_t step) {
  Channel* home = channels_.Home();
  if (step >= kStepElements.size() || !home) return;
  home->view->Page().GetElementHtml(std::string(kStepElements[step]), [this, step](const std::string& html) {
    const std::string value(text::Trim(html));
    if (value.empty()) {
      RunHomeAction(step + 1);
      return;
    }
    Channel* home = channels_.Home();
    if (!home) return;
    switch (step) {
      case kEnterRoom:
        if (!shell::IsUsableRoomKey(value)) return;
        home->view->Page().GetElementHtml("TITLE_" + value, [this, value](const std::string& title) {
          EnterRoomFromHome(value, std::string(text::Trim(title)));
        });
        break;
      case kShowDetails:
        if (shell::IsUsableRoomKey(value)) ShowRoomDetails(value);
        break;
      case kRefresh:
        home->view->Reload();
        break;
      default:
        OpenPageAddress(shell_, html);
    }
  });
}

void HomePageActions::EnterRoomFromHome(const std::string& key, const std::string& title) {
  if (const Channel* open = channels_.FindByName(protocol::ChannelName(key))) {
    tabs_.SelectAndSwitch(channels_.TabIndexOf(open));
    return;
  }
  settings_.RoomKey = key;
  settings_.RoomTitle =
      title.size() > kMaxRoomTitleBytes ? std::string(text::LeftBytes(title, kCutRoomTitleBytes)) : title;
  if (flags_.loggedIn) session_.SendChatIn(key);
}

void HomePageActions::ShowRoomDetails(const std::string& key) {
  Channel* home = channels_.Home();
  if (!home) return;
  PageQueue& page = home->view->Page();
  page.SetElementHtml("DETAIL", std::string(kDetailPlaceholder));
  detailEntries_ = 0;
  if (!flags_.loggedIn) return;
  if (const Channel* open = channels_.FindByName(protocol::ChannelName(key))) {
    for (const Member& member : open->members) {
      if (!member.nick.empty()) page.AppendBeforeMarker("DETAIL_MORE", RenderDetailEntry(member));
    }
    return;
  }
  session_.SendAskUserInfo(key);
}

void HomePageActions::AddRoomDetailEntry(std::string_view entry) {
  // A room lists at most its capacity; a server that sends more is not answering.
  if (detailEntries_ >= kMaxDetailEntries) return;
  ++detailEntries_;
  if (Channel* home = channels_.Home()) home->view->Page().AppendBeforeMarker("DETAIL_MORE", RenderDetailEntry(entry, portal_));
}

}  // namespace orvinta::window
