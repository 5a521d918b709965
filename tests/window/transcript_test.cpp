// Lines in the transcript pages: loading, info lines, chat lines, clearing.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::BoxAnswer;

class TranscriptTest : public WindowTest {
 protected:
  void SetUp() override { Create(); }
  // The transcript's lines (what lies in front of the marker).
  std::string Lines(std::string_view channel) {
    const std::string inner = ViewOf(channel).Inner();
    return inner.substr(0, inner.rfind("<SPAN ID=END_LINE></SPAN>"));
  }
};

// A room's lines go straight to its native view: no page to load, nothing
// held back, and a closed room's view goes with its tab.
TEST_F(TranscriptTest, RoomViewsShowLinesAtOnceInOrderWithoutAPage) {
  const std::size_t pages = views.created;
  OpenRoom("a");
  OpenRoom("b");
  dlg->AddInfoLine("#a", "first %s", {"one"});
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|second");
  EXPECT_EQ(views.created, pages);
  const std::string lines = Lines("#a");
  const auto banner = lines.find("어서 오세요");
  const auto first = lines.find("first one");
  const auto second = lines.find("second");
  EXPECT_LT(banner, first);
  EXPECT_LT(first, second);
  EXPECT_NE(second, std::string::npos);
  EXPECT_EQ(ViewOf("#a").added, 3);
  dlg->RemoveChannel("#a");
  ASSERT_EQ(transcriptViews.live.size(), 1u);
  dlg->AddInfoLine("#b", "shown", {});
  EXPECT_NE(ViewOf("#b").Inner().find("shown"), std::string::npos);
}

TEST_F(TranscriptTest, ALinkNoBrowserTookIsToldInItsRoom) {
  OpenRoom("a"), OpenRoom("b"), ViewOf("#a"), ViewOf("#a").FailLink();
  EXPECT_NE(Lines("#a").find("웹 브라우저를 찾지 못했습니다"), std::string::npos);
}

TEST_F(TranscriptTest, InfoLineArgumentsBecomeVisibleText) {
  OpenRoom("a");
  dlg->AddInfoLine("#a", "<BR><B>☆☆ %s님이 입장하셨습니다 ☆☆</B><BR><BR>", {"<img src=x>'%s\x03" "4,5"});
  EXPECT_EQ(Occurrences(Lines("#a"),
                        "<FONT COLOR='#11AA44'><BR><B>☆☆ &lt;img src=x&gt;%s,5님이 입장하셨습니다 ☆☆</B><BR><BR></FONT>"),
            1);
  EXPECT_EQ(ViewOf("#a").jumps, 0);  // someone else's line keeps the reader's place
}

TEST_F(TranscriptTest, LinesOpenRoomsButNotOtherNames) {
  dlg->AddInfoLine("#new", "x", {});
  EXPECT_NE(dlg->Channels().FindByName("#new"), nullptr);
  dlg->AddMessage("#msg", "bob", "|212121|9|굴림|FFFFFF|0|밥|hi");
  EXPECT_NE(dlg->Channels().FindByName("#msg"), nullptr);
  dlg->AddInfoLine("plain", "x", {});
  dlg->AddMessage("plain", "bob", "|212121|9|굴림|FFFFFF|0|밥|hi");
  dlg->AddMessage("#nosender", "", "|212121|9|굴림|FFFFFF|0|밥|hi");
  EXPECT_EQ(host.TabCount(), 3);
}

TEST_F(TranscriptTest, MinimisedWindowFlashesExceptForLeaveLines) {
  OpenRoom("a");
  host.minimised = true;
  dlg->AddInfoLine("#a", "<B>☆☆ %s님이 퇴장하셨습니다 ☆☆</B>", {"밥"});
  EXPECT_EQ(host.flashes, 0);
  dlg->AddInfoLine("#a", "notice", {});
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|hi");
  EXPECT_EQ(host.flashes, 2);
}

TEST_F(TranscriptTest, IgnoredMembersLinesAreDropped) {
  OpenRoom("a");
  dlg->Prompts().AddIgnore("#a", "bob");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|hidden");
  dlg->AddMessage("#a", "carol", "|212121|9|굴림|FFFFFF|0|캐럴|shown");
  EXPECT_EQ(Lines("#a").find("hidden"), std::string::npos);
  EXPECT_NE(Lines("#a").find("shown"), std::string::npos);
  dlg->Prompts().RemoveIgnore("#a", "bob");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|back");
  EXPECT_NE(Lines("#a").find("back"), std::string::npos);
}

TEST_F(TranscriptTest, HostileLineChangesNothingButItsOwnText) {
  OpenRoom("a");
  dlg->AddMessage("#a", "bob\"<>",
                  "B'\"<>|'\"<x>|'\"<>|'\"<>|'\"<>|'\"<>|'\"<b>nick</b>|</SPAN><SPAN ID=END_LINE>'\"%s%n<script>");
  const std::string lines = Lines("#a");
  EXPECT_NE(lines.find("&#39;&quot;&lt;b&gt;nick&lt;/b&gt;"), std::string::npos);  // nick is text, quotes too
  EXPECT_EQ(lines.find("<b>"), std::string::npos);
  EXPECT_NE(lines.find("&lt;/SPAN&gt;&lt;SPAN ID=END_LINE&gt;'\"%s%n&lt;&gt;"), std::string::npos);
  EXPECT_EQ(Occurrences(ViewOf("#a").Inner(), "ID=END_LINE>"), 1);  // one marker: the transcript's own
  EXPECT_EQ(host.TabCount(), 2);
  EXPECT_EQ(host.title, "수다방");
}

TEST_F(TranscriptTest, ClearScreenAsksAndLeavesTwoNotices) {
  OpenRoom("a");
  dlg->AddInfoLine("#a", "old line", {});
  boxes.answers = {BoxAnswer::No, BoxAnswer::Yes};
  dlg->Transcript().OnClearScreen();
  EXPECT_NE(Lines("#a").find("old line"), std::string::npos);
  dlg->Transcript().OnClearScreen();
  const std::string lines = Lines("#a");
  EXPECT_EQ(lines.find("old line"), std::string::npos);
  EXPECT_LT(lines.find("▶ 채팅 화면을 청소하였습니다. ◀"), lines.find("▷ 청소된 내용은 저장할 수 없습니다. ◁"));
  EXPECT_EQ(Occurrences(lines, "<TABLE"), 2);
  EXPECT_EQ(boxes.shown[1].text,
            "현재 채팅창의 화면을 모두 지웁니다.(지우신 내용은 저장 하실 수 없습니다)  \n\n"
            "                                   화면을 지우시겠습니까?");
}

TEST_F(TranscriptTest, WaitingRoomCannotBeCleared) {
  dlg->Transcript().OnClearScreen();
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "대기실 화면은 지울 수 없습니다  ");
  EXPECT_EQ(boxes.shown[0].buttons, platform::BoxButtons::Ok);
}

// Whether each of `parts` occurs in `text` after the one before it.
bool InOrder(const std::string& text, std::initializer_list<std::string_view> parts) {
  std::size_t at = 0;
  for (std::string_view part : parts) at = at == std::string::npos ? at : text.find(part, at);
  return at != std::string::npos;
}
std::string Bob(std::string_view text) { return "|212121|9|굴림|FFFFFF|0|밥|" + std::string(text); }

TEST_F(TranscriptTest, EntryHistoryGoesAboveTheBannerWithTimesAndOlderLinesAboveThat) {
  std::tm now = clock.Now();
  const std::int64_t noon = static_cast<std::int64_t>(std::mktime(&now)) * 1000, hour = 3600000;
  OpenRoom("a");
  dlg->AddMessage("#a", "bob", Bob("live"));
  dlg->Prompts().AddIgnore("#a", "carol");
  // Nothing shown (all hidden): the divider still waits for the lines that are.
  dlg->AddEntryHistory("#a", std::vector<protocol::EarlierLine>{{0, noon, "carol", Bob("hidden")}});
  dlg->AddEntryHistory("#a", std::vector<protocol::EarlierLine>{{1, noon - 27 * hour, "bob", Bob("yesterday")},
                                                                {2, noon - 60000, "carol", Bob("hidden")},
                                                                {3, noon - 120000, "bob", Bob("today")}});
  EXPECT_TRUE(InOrder(Lines("#a"), {"[01/04 09:00]</FONT> ", "yesterday", "[11:58]</FONT> ", "today",
                                    "여기까지 지난 대화입니다", "어서 오세요", "<TD><FONT STYLE='COLOR:#212121;FONT-SIZE:9pt;FONT-FAMILY:굴림'>live"}));
  EXPECT_EQ(Lines("#a").find("hidden"), std::string::npos);
  dlg->AddOlderLines("#a", std::vector<protocol::EarlierLine>{{0, noon - 28 * hour, "bob", Bob("older")}}, true);
  EXPECT_TRUE(InOrder(Lines("#a"), {"[01/04 08:00]", "older", "yesterday"}));
  EXPECT_EQ(Occurrences(Lines("#a"), "여기까지 지난 대화입니다"), 1);
  EXPECT_TRUE(dlg->Channels().FindByName("#a")->historyEnded);
}

// Missed lines come as one batch the room log hears line by line, before the
// room's back notice; lost ones (a count, or some) are told first.
TEST_F(TranscriptTest, MissedLinesComeAsOneBatchBeforeTheBackNotice) {
  struct Heard : LineListener {
    std::vector<std::string> lines;
    int batches = 0;
    void OnLineShown(const ShownLine& l) override { lines.push_back(std::string(l.text) + (l.mention ? "|m" : "")); }
    void OnLinesShown(std::span<const ShownLine> shown) override { ++batches, LineListener::OnLinesShown(shown); }
  } heard;
  dlg->Transcript().AddListener(heard);
  OpenRoom("a");
  OpenRoom("b");  // #a is not the room shown
  int drops = 0;
  for (const std::optional<std::uint64_t> lost : {std::optional<std::uint64_t>(2), std::optional<std::uint64_t>()}) {
    dlg->ConnectionAway(0);
    dlg->ConnectionBack();
    EXPECT_EQ(Occurrences(Lines("#a"), "다시 연결되었습니다"), drops++);
    dlg->AddMissedLines("#a", std::vector<protocol::EarlierLine>{{7, 0, "bob", Bob("앨리스?")}, {8, 0, "bob", Bob("x")}}, lost);
    dlg->ConnectionBackIn("#a");
    EXPECT_TRUE(InOrder(Lines("#a"), {lost ? "대화 2줄은 보여드릴 수 없습니다" : "대화 일부는 보여드릴 수 없습니다",
                                      "]</FONT> ", "앨리스?", "x", "다시 연결되었습니다"}));
    EXPECT_EQ(heard.batches, drops);
    EXPECT_EQ(std::vector<std::string>(heard.lines.end() - 3, heard.lines.end() - 1),
              (std::vector<std::string>{"앨리스?|m", "x"}));
    EXPECT_TRUE(ViewOf("#a").lines[ViewOf("#a").lines.size() - 3].mention);
    EXPECT_EQ(host.tabs[1].image, 2);  // the mention look
  }
}

}  // namespace
}  // namespace orvinta::window
