// A room's history in its transcript: on entry above the banner, older lines
// on top, lines missed during a drop before the room's back notice.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using protocol::EarlierLine;

// Milliseconds since 1970 of a local time in the fixture clock's month (January 2026).
std::int64_t LocalMs(int day, int hour, int minute) {
  std::tm t{};
  t.tm_year = 126, t.tm_mday = day, t.tm_hour = hour, t.tm_min = minute, t.tm_isdst = -1;
  return static_cast<std::int64_t>(std::mktime(&t)) * 1000;
}
std::string Wire(std::string_view nick, std::string_view text) {
  return "|212121|9|굴림|FFFFFF|0|" + std::string(nick) + "|" + std::string(text);
}
// Whether each of `parts` occurs in `text` after the one before it.
bool InOrder(const std::string& text, std::initializer_list<std::string_view> parts) {
  std::size_t at = 0;
  for (std::string_view part : parts) {
    at = text.find(part, at);
    if (at == std::string::npos) return false;
  }
  return true;
}

class RoomHistoryTest : public WindowTest {
 protected:
  void SetUp() override { Create(); }
  std::string Lines(std::string_view channel) { return ViewOf(channel).Inner(); }
};

TEST_F(RoomHistoryTest, EntryHistoryGoesAboveTheBannerWithTimesAndOlderLinesAboveThat) {
  OpenRoom("a");
  dlg->AddMessage("#a", "bob", Wire("밥", "live"));
  dlg->Prompts().AddIgnore("#a", "carol");
  const std::vector<EarlierLine> entry{{1, LocalMs(4, 9, 7), "bob", Wire("밥", "yesterday")},
                                       {2, LocalMs(5, 11, 58), "carol", Wire("캐롤", "hidden")},
                                       {3, LocalMs(5, 11, 58), "bob", Wire("밥", "today")}};
  dlg->AddEntryHistory("#a", entry);
  EXPECT_TRUE(InOrder(Lines("#a"), {"[01/04 09:07]</FONT> ", "yesterday", "[11:58]</FONT> ", "today",
                                    "여기까지 지난 대화입니다", "어서 오세요", "live"}));
  EXPECT_EQ(Lines("#a").find("hidden"), std::string::npos);
  EXPECT_EQ(Lines("#a").find("]</FONT> <FONT STYLE='COLOR:#212121;FONT-SIZE:9pt;FONT-FAMILY:굴림'>live"),
            std::string::npos);

  dlg->AddOlderLines("#a", std::vector<EarlierLine>{{0, LocalMs(4, 8, 0), "bob", Wire("밥", "older")}}, true);
  EXPECT_TRUE(InOrder(Lines("#a"), {"[01/04 08:00]", "older", "yesterday"}));
  EXPECT_EQ(Occurrences(Lines("#a"), "여기까지 지난 대화입니다"), 1);
  EXPECT_EQ(ViewOf("#a").addedInFront, 2);
  EXPECT_TRUE(dlg->Channels().FindByName("#a")->historyEnded);
}

TEST_F(RoomHistoryTest, MissedLinesComeAsOneBatchBeforeTheBackNotice) {
  struct Heard : LineListener {
    std::vector<std::string> lines;
    int batches = 0;
    void OnLineShown(const ShownLine& l) override { lines.push_back(std::string(l.text) + (l.mention ? "|m" : "")); }
    void OnLinesShown(std::span<const ShownLine> shown) override {
      ++batches;
      LineListener::OnLinesShown(shown);
    }
  } heard;
  dlg->Transcript().AddListener(heard);
  OpenRoom("a");
  OpenRoom("b");  // #a is not the room shown
  int drops = 0;
  for (const std::optional<std::uint64_t> unavailable : {std::optional<std::uint64_t>(2), std::optional<std::uint64_t>()}) {
    heard.batches = 0;
    dlg->ConnectionAway(0);
    dlg->ConnectionBack();
    EXPECT_EQ(Occurrences(Lines("#a"), "다시 연결되었습니다"), drops++);
    dlg->AddMissedLines("#a", std::vector<EarlierLine>{{7, LocalMs(5, 11, 59), "bob", Wire("밥", "앨리스 봤어?")},
                                                       {8, LocalMs(5, 11, 59), "bob", Wire("밥", "plain")}},
                        unavailable);
    dlg->ConnectionBackIn("#a");
    EXPECT_TRUE(InOrder(Lines("#a"), {unavailable ? "대화 2줄은 보여드릴 수 없습니다" : "대화 일부는 보여드릴 수 없습니다",
                                      "[11:59]", "앨리스 봤어?", "plain", "다시 연결되었습니다"}));
    EXPECT_EQ(heard.batches, 1);
    EXPECT_EQ(std::vector<std::string>(heard.lines.end() - 3, heard.lines.end() - 1),
              (std::vector<std::string>{"앨리스 봤어?|m", "plain"}));
    EXPECT_TRUE(ViewOf("#a").lines[ViewOf("#a").lines.size() - 3].mention);
    EXPECT_EQ(host.tabs[1].image, 2);  // the mention look
  }
}

}  // namespace
}  // namespace orvinta::window
