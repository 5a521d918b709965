// The member context menu: what a member-list entry names, what the menu
// offers for it, and what each item does, through the fakes.
#include "client/window/member_menu.h"

#include <functional>

#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

class FakePopupMenus final : public platform::PopupMenus {
 public:
  platform::ScreenPoint CursorPosition() const override { return cursor; }
  int Track(platform::MenuIcons icons, const std::vector<platform::MenuItem>& items,
            platform::ScreenPoint at) override {
    shown.push_back({icons, items, at});
    if (onTrack) onTrack();
    return choice;
  }
  struct Shown {
    platform::MenuIcons icons;
    std::vector<platform::MenuItem> items;
    platform::ScreenPoint at;
  };
  platform::ScreenPoint cursor{10, 20};
  int choice = 0;
  std::function<void()> onTrack;  // what happens while the menu is open
  std::vector<Shown> shown;
};

class MemberMenuTest : public WindowTest {
 public:
  void SetUp() override {
    dlg = std::make_unique<COrvintaDlg>(
        settings, WindowPorts{host, views, timers, boxes, sound, shell, transports, nullptr, &notifier, &config,
                              &input, &menus, &memberViews},
        portal);
    dlg->OnInitDialog();
    StartAndLogin();
  }
  void RoomWith(std::string_view key, std::initializer_list<const char*> ids) {
    OpenRoom(key);
    for (const char* id : ids) {
      dlg->NewNick("#" + std::string(key), id, 0);
      dlg->SetMemberDetails("#" + std::string(key), id, std::string(id) + "님", "0", "0");
    }
    transport().ClearSent();
  }
  // The menu as it would open over the row of `id`, answered with `choice`.
  const std::vector<platform::MenuItem>* Open(const std::string& id, int choice = 0) {
    menus.choice = choice;
    const std::size_t before = menus.shown.size();
    dlg->MemberContextMenu().ShowFor(id, {1, 2});
    return menus.shown.size() > before ? &menus.shown.back().items : nullptr;
  }
  static std::string Enabled(const std::vector<platform::MenuItem>& items) {
    std::string out;
    for (const auto& item : items) {
      if (item.command != 0 && item.enabled) out += (out.empty() ? "" : ",") + item.text;
    }
    return out;
  }
  COrvintaDlg& Dlg() { return *dlg; }
  LaunchSettings& Settings() { return settings; }
  FakePopupMenus menus;
};

TEST_F(MemberMenuTest, MenuHasFourItemsWithSeparatorsInOrder) {
  const auto items = MemberMenuItems({});
  std::vector<int> commands;
  for (const auto& item : items) commands.push_back(item.command);
  EXPECT_EQ(commands, (std::vector<int>{32773, 0, 32774, 0, 32775, 32776}));
  EXPECT_EQ(Enabled(items), "블로그 보기");
}

struct EnableCase {
  const char* name;
  void (*arrange)(MemberMenuTest&);
  const char* entry;
  const char* enabled;
};

class MemberMenuEnableTest : public MemberMenuTest, public ::testing::WithParamInterface<EnableCase> {};

TEST_P(MemberMenuEnableTest, EnabledItems) {
  RoomWith("a", {"alice", "bob", "carol"});
  if (GetParam().arrange) GetParam().arrange(*this);
  const auto* items = Open(GetParam().entry);
  ASSERT_NE(items, nullptr);
  EXPECT_EQ(Enabled(*items), GetParam().enabled);
}

INSTANTIATE_TEST_SUITE_P(
    Matrix, MemberMenuEnableTest,
    ::testing::Values(
        EnableCase{"OtherMember", nullptr, "bob", "블로그 보기,1:1 대화,추방요청,메세지 무시"},
        EnableCase{"OwnEntry", nullptr, "alice", "블로그 보기"},
        EnableCase{"IgnoredMember", [](MemberMenuTest& t) { t.Dlg().Prompts().AddIgnore("#a", "bob"); },
                   "bob", "블로그 보기,1:1 대화,추방요청,메세지 허용"},
        EnableCase{"InvitationPending", [](MemberMenuTest& t) { t.Settings().InvitePending = true; }, "bob",
                   "블로그 보기,추방요청,메세지 무시"},
        EnableCase{"VoteRunning", [](MemberMenuTest& t) { t.Dlg().Channels().FindByName("#a")->voteRequested = 1; },
                   "bob", "블로그 보기,1:1 대화,메세지 무시"},
        EnableCase{"TwoMembers", [](MemberMenuTest& t) { t.Dlg().RemoveNick("#a", "carol"); }, "bob",
                   "블로그 보기,1:1 대화,메세지 무시"},
        EnableCase{"AlreadyInPrivateRoom",
                   [](MemberMenuTest& t) {
                     t.RoomWith("Pchatalice^bob", {"alice", "bob"});
                     t.Dlg().Tabs().SelectAndSwitch(t.Dlg().Channels().TabIndexOf(t.Dlg().Channels().FindByName("#a")));
                   },
                   "bob", "블로그 보기,추방요청,메세지 무시"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(MemberMenuTest, NoMenuOutsideRoomsOrForUnlistedIds) {
  EXPECT_EQ(Open("bob"), nullptr);  // the waiting room is current
  RoomWith("a", {"alice", "bob"});
  EXPECT_EQ(Open("bob/x/y"), nullptr);
  EXPECT_EQ(Open(""), nullptr);
  EXPECT_NE(Open("bob"), nullptr);
}

TEST_F(MemberMenuTest, RightClickOpensTheMenuWhereThePointerWas) {
  RoomWith("a", {"alice", "bob"});
  menus.cursor = {300, 400};
  UserView().Click("");  // off the rows
  EXPECT_TRUE(menus.shown.empty());
  UserView().Click("bob");
  ASSERT_EQ(menus.shown.size(), 1u);
  EXPECT_EQ(menus.shown[0].icons, platform::MenuIcons::Member);
  EXPECT_EQ(menus.shown[0].at.x, 300);
  EXPECT_EQ(menus.shown[0].at.y, 400);
}

TEST_F(MemberMenuTest, BlogOpensTheMembersAddressWithoutUnderscore) {
  RoomWith("a", {"alice", "_123abc"});
  Open("_123abc", kBlogCommand);
  EXPECT_EQ(shell.urls, std::vector<std::string>{portal.blogHost + "123abc"});
}

TEST_F(MemberMenuTest, PrivateChatJoinsInvitesAndWaits) {
  RoomWith("a", {"alice", "bob"});
  dlg->SetMemberDetails("#a", "bob", "<밥>", "0", "0");
  Open("bob", kPrivateChatCommand);
  EXPECT_EQ(SentFrames(),
            (std::vector<std::string>{"CHIN:alice/Pchatalice^bob", "INVT:alice/bob/Pchatalice^bob/앨리스"}));
  EXPECT_EQ(settings.RoomTitle, "<밥>님과의 1:1 대화방입니다");
  EXPECT_TRUE(settings.InvitePending);
  EXPECT_TRUE(timers.IsRunning(PromptsAndVotes::kInviteTimer));
}

TEST_F(MemberMenuTest, PrivateChatSwitchesToAnOpenRoomAndNeedsTheLogin) {
  RoomWith("Pchatalice^bob", {"alice"});
  RoomWith("a", {"alice", "bob"});
  Open("bob", kPrivateChatCommand);
  EXPECT_EQ(dlg->Channels().Current()->name, "#Pchatalice^bob");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"INVT:alice/bob/Pchatalice^bob/앨리스"});

  settings.InvitePending = false;
  dlg->SetConnectStatus(false);
  RoomWith("b", {"alice", "carol"});
  Open("carol", kPrivateChatCommand);
  EXPECT_TRUE(SentFrames().empty());
}

TEST_F(MemberMenuTest, ExpulsionRequestStartsTheVote) {
  RoomWith("a", {"alice", "bob", "carol"});
  Open("bob", kExpulsionCommand);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"RQBN:alice/a/bob"});
  EXPECT_EQ(dlg->Channels().FindByName("#a")->voteRequested, 1);
}

TEST_F(MemberMenuTest, IgnoreAsksAndNotifiesOnlyOnYesThenAllows) {
  RoomWith("a", {"alice", "bob"});
  boxes.answers = {platform::BoxAnswer::No};
  Open("bob", kIgnoreCommand);
  EXPECT_TRUE(dlg->Prompts().IsIgnored("#a", "bob"));
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "상대방에게 메시지 무시 사실을 알리시겠습니까?  ");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_TRUE(SentFrames().empty());

  Open("bob", kIgnoreCommand);  // "메세지 허용"
  EXPECT_FALSE(dlg->Prompts().IsIgnored("#a", "bob"));
  EXPECT_EQ(boxes.shown.size(), 1u);

  boxes.answers = {platform::BoxAnswer::Yes};
  Open("bob", kIgnoreCommand);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"IGNR:alice/a/bob/앨리스"});
}

TEST_F(MemberMenuTest, ChoiceIsDroppedWhenTheRoomChangedWhileTheMenuWasOpen) {
  RoomWith("b", {"alice", "bob"});
  RoomWith("a", {"alice", "bob"});
  menus.onTrack = [this] {
    dlg->Tabs().SelectAndSwitch(dlg->Channels().TabIndexOf(dlg->Channels().FindByName("#b")));
  };
  Open("bob", kIgnoreCommand);
  EXPECT_FALSE(dlg->Prompts().IsIgnored("#a", "bob"));
  EXPECT_FALSE(dlg->Prompts().IsIgnored("#b", "bob"));
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(MemberMenuTest, StatusMenuListsTheSevenStatesWithTheOwnChecked) {
  RoomWith("a", {"alice"});
  dlg->SetMemberStatus("#a", "alice", "3");
  const auto items = StatusMenuItems(OwnStatusIn(dlg->Channels(), "alice"));
  ASSERT_EQ(items.size(), 7u);
  EXPECT_EQ(items[0].text, "온라인");
  EXPECT_EQ(items[6].command, 32792);
  EXPECT_TRUE(items[3].checked);
  EXPECT_EQ(items[3].icon, 3);
}

}  // namespace
}  // namespace orvinta::window
