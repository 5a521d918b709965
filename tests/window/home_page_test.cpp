// The waiting room's page: its launcher address and the actions the room-list page reports.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

class HomePageTest : public WindowTest {
 protected:
  void SetUp() override {
    settings.UserId = "__7user";
    settings.SessionKey = "k&ey=1";
    StartAndLogin();
  }
  fakes::FakeHtmlView& Home() { return HomeView(); }
  // The room-list page as loaded, with the user's choice filled in.
  void Click(const std::string& elements) {
    Home().FinishLoad(elements + "<SPAN ID=DETAIL></SPAN>");
    Home().ClickLeft();
    views.AnswerAllReads();
  }
};

TEST_F(HomePageTest, LauncherPageIsLoadedAfter200MsWithEncodedValues) {
  // StartAndLogin advanced 600 ms already.
  ASSERT_EQ(Home().navigations.size(), 1u);
  EXPECT_EQ(Home().navigations[0],
            "res://orvinta/229?uid=7user&rkey=k%26ey%3D1&target=http%3A%2F%2F127.0.0.1%3A11901%2Frooms");
}

TEST_F(HomePageTest, ChosenRoomIsEntered) {
  Click("<SPAN ID=MIREL_KEY> room9 </SPAN><SPAN ID=TITLE_room9> 아홉 번째 방 </SPAN>");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"CHIN:__7user/room9"});
  EXPECT_EQ(settings.RoomKey, "room9");
  EXPECT_EQ(settings.RoomTitle, "아홉 번째 방");
  EXPECT_EQ(host.tabs.back().text, "아홉 번째 방");
}

TEST_F(HomePageTest, ChosenRoomThatIsOpenIsOnlySelected) {
  OpenRoom("room9");
  dlg->BringChannelToFront("오르빈타 홈");
  transport().ClearSent();
  Click("<SPAN ID=MIREL_KEY>room9</SPAN>");
  EXPECT_TRUE(SentFrames().empty());
  EXPECT_EQ(dlg->Channels().Current()->name, "#room9");
}

TEST_F(HomePageTest, LongTitleIsCut) {
  const std::string title(261, 'x');
  Click("<SPAN ID=MIREL_KEY>r</SPAN><SPAN ID=TITLE_r>" + title + "</SPAN>");
  EXPECT_EQ(settings.RoomTitle.size(), 250u);
  Click("<SPAN ID=MIREL_KEY>s</SPAN><SPAN ID=TITLE_s>" + std::string(260, 'y') + "</SPAN>");
  EXPECT_EQ(settings.RoomTitle.size(), 260u);
}

TEST_F(HomePageTest, RoomKeyThatWouldBreakTheFrameIsRefused) {
  Click("<SPAN ID=MIREL_KEY>a/b</SPAN>");
  EXPECT_TRUE(SentFrames().empty());
  EXPECT_EQ(settings.RoomKey, "");
}

TEST_F(HomePageTest, DetailsOfAnOpenRoomComeFromItsList) {
  OpenRoom("r");
  dlg->NewNick("#r", "bob", 0);
  dlg->SetMemberDetails("#r", "bob", "밥", "0", "0");
  transport().ClearSent();
  Click("<SPAN ID=SEL_MORE>r</SPAN>");
  EXPECT_TRUE(SentFrames().empty());
  EXPECT_NE(Home().Inner("DETAIL").find("밥</NOBR>&nbsp;&nbsp;\n<SPAN ID=DETAIL_MORE></SPAN>"), std::string::npos);
}

TEST_F(HomePageTest, DetailsOfAnotherRoomAreAskedFor) {
  Click("<SPAN ID=SEL_MORE>other</SPAN>");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"ASIF:__7user/other"});
  ReceiveFrame("IFON", "bob/other/밥/1234/0");
  EXPECT_NE(Home().Inner("DETAIL").find("s_1234.gif> 밥</NOBR>"), std::string::npos);
}

TEST_F(HomePageTest, RefreshLoadsTheLauncherAgain) {
  Click("<SPAN ID=REFRESH>1</SPAN>");
  EXPECT_EQ(Home().navigations.size(), 2u);
  dlg->AddRoomDetailEntry("0|0|밥|1");  // held until the page is back
  EXPECT_EQ(Home().Inner("DETAIL"), "");
}

struct UrlCase {
  const char* name;
  std::string value;
  std::vector<std::string> opened;
};

class GoUrl : public HomePageTest, public ::testing::WithParamInterface<UrlCase> {};

TEST_P(GoUrl, OpensOnlyWebAddresses) {
  Click("<SPAN ID=GO_URL>" + GetParam().value + "</SPAN>");
  EXPECT_EQ(shell.urls, GetParam().opened);
  EXPECT_TRUE(shell.programs.empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GoUrl,
    ::testing::Values(UrlCase{"Web", " http://portal/x?a=1&amp;b=2 ", {"http://portal/x?a=1&b=2"}},
                      UrlCase{"Secure", "HTTPS://portal/", {"HTTPS://portal/"}},
                      UrlCase{"Placeholder", "Http", {}}, UrlCase{"Empty", "", {}},
                      UrlCase{"Script", "javascript:alert(1)", {}}, UrlCase{"File", "file:///etc/passwd", {}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(HomePageTest, FirstFilledElementWins) {
  Click("<SPAN ID=MIREL_KEY></SPAN><SPAN ID=SEL_MORE>x</SPAN><SPAN ID=GO_URL>http://a/</SPAN>");
  EXPECT_EQ(SentFrames(), std::vector<std::string>{"ASIF:__7user/x"});
  EXPECT_TRUE(shell.urls.empty());
}

TEST_F(HomePageTest, PortalPanesOpenTheirLinks) {
  auto* welcome = views.Find(platform::HtmlViewRole::Welcome);
  welcome->document = "<SPAN ID=GO_URL>http://portal/news</SPAN>";
  welcome->ClickLeft();
  views.AnswerAllReads();
  EXPECT_EQ(shell.urls, std::vector<std::string>{"http://portal/news"});
}

}  // namespace
}  // namespace orvinta::window
