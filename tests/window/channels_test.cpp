// Room tabs: creation, selection after closing, titles, activity marks, switching.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::BoxAnswer;

class ChannelsTest : public WindowTest {
 protected:
  void SetUp() override { Create(); }
  std::string CurrentName() const { return dlg->Channels().Current() ? dlg->Channels().Current()->name : "<none>"; }
};

TEST_F(ChannelsTest, StartShowsTheWaitingRoomAndThePanes) {
  ASSERT_EQ(host.tabs.size(), 1u);
  EXPECT_EQ(host.tabs[0].text, "오르빈타 홈");
  EXPECT_EQ(host.selected, 0);
  EXPECT_EQ(CurrentName(), "오르빈타 홈");
  EXPECT_EQ(host.title, "오르빈타 대기실입니다");
  EXPECT_EQ(host.status, 0);
  EXPECT_EQ(host.toolbar.faceName, "굴림");
  EXPECT_EQ(host.toolbar.sizeText, "9");
  EXPECT_EQ(host.rect.width, 600);
  EXPECT_EQ(host.rect.height, 415);
  EXPECT_TRUE(views.Find(platform::HtmlViewRole::Welcome)->visible);
  EXPECT_FALSE(UserView().visible);
  EXPECT_EQ(views.Find(platform::HtmlViewRole::Welcome)->navigations,
            std::vector<std::string>{portal.welcomePage});
  EXPECT_EQ(views.Find(platform::HtmlViewRole::NavigationBar)->navigations,
            std::vector<std::string>{portal.navigationBarPage});
  EXPECT_EQ(host.memberList, &dlg->Members().Pane().View());  // a native list: nothing to load
}

TEST_F(ChannelsTest, SavedPlacementIsUsedWhenLargeEnough) {
  config.Keep({5, 6, 700, 500});
  Create();
  EXPECT_EQ(host.rect.left, 5);
  EXPECT_EQ(host.rect.width, 700);
  config.Keep({5, 6, 599, 500});
  host.rect = {1, 2, 3, 4};
  Create();
  EXPECT_EQ(host.rect.left, 1);
  EXPECT_EQ(host.rect.width, 600);
}

TEST_F(ChannelsTest, NewRoomGetsTitledTabSelectionAndBanner) {
  const int focusesBefore = input.focuses;
  OpenRoom("abc");
  EXPECT_EQ(input.focuses, focusesBefore + 1);  // the user can type in the new room at once
  ASSERT_EQ(host.tabs.size(), 2u);
  EXPECT_EQ(host.tabs[1].text, "수다방");
  EXPECT_EQ(host.selected, 1);
  EXPECT_EQ(CurrentName(), "#abc");
  EXPECT_EQ(host.title, "수다방");
  EXPECT_TRUE(UserView().visible);
  EXPECT_FALSE(views.Find(platform::HtmlViewRole::Welcome)->visible);
  EXPECT_TRUE(ViewOf("#abc").visible);
  EXPECT_FALSE(HomeView().visible);
  EXPECT_GE(host.foregrounds, 1);
  EXPECT_NE(ViewOf("#abc").Inner().find("어서 오세요. 벨보 오르빈타입니다."), std::string::npos);
}

TEST_F(ChannelsTest, MinimisedWindowIsRestoredForANewRoom) {
  dlg->OnSysCommand(COrvintaDlg::SysCommand::Minimize);
  OpenRoom("abc");
  EXPECT_EQ(host.restores, 1);
  EXPECT_FALSE(dlg->Tabs().IsMinimised());
}

struct CloseCase {
  const char* name;
  const char* selectedBefore;
  const char* removed;
  int selectedAfter;
  const char* currentAfter;
};

class CloseSelection : public ChannelsTest, public ::testing::WithParamInterface<CloseCase> {};

TEST_P(CloseSelection, PicksTheExpectedTab) {
  OpenRoom("a");
  OpenRoom("b");
  dlg->BringChannelToFront(GetParam().selectedBefore);
  dlg->RemoveChannel(GetParam().removed);
  EXPECT_EQ(host.TabCount(), 2);
  EXPECT_EQ(host.selected, GetParam().selectedAfter);
  EXPECT_EQ(CurrentName(), GetParam().currentAfter);
  EXPECT_EQ(transcriptViews.live.size(), 1u);  // the view went with its tab
}

INSTANTIATE_TEST_SUITE_P(Cases, CloseSelection,
                         ::testing::Values(CloseCase{"FirstOfThree", "#a", "#a", 0, "오르빈타 홈"},
                                           CloseCase{"LastOfThree", "#b", "#b", 1, "#a"},
                                           CloseCase{"NotCurrent", "#b", "#a", 1, "#b"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ChannelsTest, WaitingRoomCannotBeRemovedOrClosed) {
  dlg->RemoveChannel("오르빈타 홈");
  dlg->Closechat(0);
  EXPECT_EQ(host.TabCount(), 1);
}

TEST_F(ChannelsTest, FindTrimsSpacesAndIgnoresCase) {
  OpenRoom("abc");
  EXPECT_NE(dlg->Channels().FindByName("  #ABC "), nullptr);
  EXPECT_EQ(dlg->Channels().FindByName("abc"), nullptr);
}

TEST_F(ChannelsTest, TitleLineDropsSpacesAndColonsButRecordKeepsThem) {
  OpenRoom("abc");
  dlg->Tabs().SetTitle("#abc", " ::오늘's 방:: ");
  EXPECT_EQ(dlg->Channels().Current()->title, " ::오늘s 방:: ");
  EXPECT_EQ(host.title, "오늘s 방");
  dlg->Tabs().SetTitle("#gone", "x");
  EXPECT_EQ(host.title, "");
  dlg->Tabs().SetTitle("오르빈타 홈", "x");
  EXPECT_EQ(host.title, "오르빈타 대기실입니다");
}

TEST_F(ChannelsTest, TitleOfAnotherRoomLeavesTheLineEmpty) {
  OpenRoom("a");
  OpenRoom("b");
  dlg->Tabs().SetTitle("#a", "새 제목");
  EXPECT_EQ(host.title, "");
  EXPECT_EQ(dlg->Channels().FindByName("#a")->title, "새 제목");
}

TEST_F(ChannelsTest, ActivityMarksFollowLinesAndSwitching) {
  OpenRoom("a");
  OpenRoom("b");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|hi");
  EXPECT_EQ(host.tabs[1].image, 1);
  EXPECT_EQ(host.tabs[2].image, 0);  // lines in the shown room mark nothing
  dlg->AddMessage("#b", "bob", "|212121|9|굴림|FFFFFF|0|밥|hi");
  EXPECT_EQ(host.tabs[2].image, 0);
  dlg->BringChannelToFront("#a");
  EXPECT_EQ(host.tabs[1].image, 0);
  dlg->Tabs().SetActivity("#nowhere", true);
  EXPECT_EQ(host.tabs[0].image, 1);
}

TEST_F(ChannelsTest, SwitchRestoresTheRoomsComposingSettings) {
  Channel* a = OpenRoom("a");
  a->fontFace = 3;
  a->fontSize = 13;
  a->style = 5;
  a->textColour = 0x0000FF;
  a->backColour = 0x00FF00;
  a->statusIndex = 4;
  OpenRoom("b");
  EXPECT_EQ(host.toolbar.faceName, "굴림");
  dlg->BringChannelToFront("#a");
  EXPECT_EQ(host.toolbar.faceName, "돋움");
  EXPECT_EQ(host.toolbar.sizeText, "13");
  EXPECT_TRUE(host.toolbar.bold);
  EXPECT_FALSE(host.toolbar.italic);
  EXPECT_TRUE(host.toolbar.underline);
  EXPECT_EQ(host.toolbar.textColour, 0x0000FFu);
  EXPECT_EQ(host.toolbar.backColour, 0x00FF00u);
  EXPECT_EQ(host.status, 4);
  EXPECT_GE(host.tabFocus, 1);
}

TEST_F(ChannelsTest, ClosingATabAsksAndLeavesTheRoom) {
  StartAndLogin();
  OpenRoom("a");
  boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  dlg->OnCloseTab(1);
  EXPECT_EQ(host.TabCount(), 2);
  EXPECT_TRUE(SentFrames().empty());
  dlg->OnCloseTab(1);
  EXPECT_EQ(host.TabCount(), 1);
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHOT:alice/a"});
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "대화를 종료하시겠습니까?  ");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_EQ(host.tabRepaints > 0, true);
}

TEST_F(ChannelsTest, RoomThatMovedWhileAskingIsTheOneClosed) {
  OpenRoom("a");
  OpenRoom("b");
  boxes.answers = {BoxAnswer::Yes};
  boxes.onShow = [&] { dlg->RemoveChannel("#a"); };  // the server takes "#a" away meanwhile
  dlg->OnCloseTab(2);
  EXPECT_EQ(host.TabCount(), 1);
  EXPECT_EQ(dlg->Channels().FindByName("#b"), nullptr);
}

TEST_F(ChannelsTest, ClosingWhileDisconnectedRemovesTheTabAtOnce) {
  OpenRoom("a");
  dlg->Closechat(-1);
  EXPECT_EQ(host.TabCount(), 1);
}

TEST_F(ChannelsTest, SecondAddOfTheSameNameMakesASecondTab) {
  OpenRoom("a");
  OpenRoom("a");
  EXPECT_EQ(host.TabCount(), 3);
}

}  // namespace
}  // namespace orvinta::window
