// Lines that name the user: the rule, the line's tint, and the tab's look.
#include <gtest/gtest.h>

#include "client/components/room_tabs/room_tab_strip.h"
#include "client/window/mention.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

struct NameCase {
  const char* name;
  std::string text;
  bool names;
};

class NamesUserTest : public ::testing::TestWithParam<NameCase> {};

TEST_P(NamesUserTest, MatchesTheNickOrTheIdOnly) {
  const OwnNames self{"_7alice", "앨리스"};
  EXPECT_EQ(NamesUser(GetParam().text, self), GetParam().names);
}

// "각" is B0 A2: the bytes A2 BE ... could start a false nick inside a character.
INSTANTIATE_TEST_SUITE_P(Lines, NamesUserTest,
                         ::testing::Values(NameCase{"NickAlone", "앨리스", true},
                                           NameCase{"NickInASentence", "안녕 앨리스님!", true},
                                           NameCase{"IdWithoutTheUnderscore", "hi 7alice", true},
                                           NameCase{"IdInAnyCase", "HI 7ALICE", true},
                                           NameCase{"IdNeedsItsDigit", "alice", false},
                                           NameCase{"PartOfTheNick", "앨리", false},
                                           NameCase{"NoName", "안녕하세요", false},
                                           NameCase{"Empty", "", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(NamesUser, NeverMatchesInsideACharacter) {
  // "갂" is B0 A3; a nick of the bytes A3 B0 would match across "갂갂" byte by byte.
  const std::string nick = "\xA3\xB0";
  EXPECT_FALSE(NamesUser("\xB0\xA3\xB0\xA3", OwnNames{"", nick}));
  EXPECT_TRUE(NamesUser("\xB0\xA3\xA3\xB0", OwnNames{"", nick}));
  EXPECT_FALSE(NamesUser("anything", OwnNames{"", ""}));  // no name, no mention
}

class MentionWindowTest : public WindowTest {
 protected:
  void SetUp() override { Create(); }
  // Which of a room's lines are tinted as naming the user, by index.
  std::vector<std::size_t> Tinted(std::string_view channel) {
    std::vector<std::size_t> tinted;
    const TranscriptLines& lines = ViewOf(channel).lines;
    for (std::size_t i = 0; i < lines.size(); ++i) {
      if (lines[i].mention) tinted.push_back(i);
    }
    return tinted;
  }
};

TEST_F(MentionWindowTest, SomeoneElsesLineNamingTheUserMarksLineAndTab) {
  OpenRoom("a");
  OpenRoom("b");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|앨리스 봤어?");
  EXPECT_EQ(Tinted("#a"), std::vector<std::size_t>{1});  // after the banner
  EXPECT_EQ(host.tabs[1].image, 2);
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|plain");
  EXPECT_EQ(host.tabs[1].image, 2) << "plain lines keep the mention look";
  dlg->BringChannelToFront("#a");
  EXPECT_EQ(host.tabs[1].image, 0);
  dlg->BringChannelToFront("#b");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|plain");
  EXPECT_EQ(host.tabs[1].image, 1) << "seen once, the room's mention is over";
  // The user's own line naming the user is no mention.
  dlg->AddMessage("#a", "ALICE", "|212121|9|굴림|FFFFFF|0|앨리스|앨리스 here");
  EXPECT_EQ(Tinted("#a"), std::vector<std::size_t>{1});
  EXPECT_EQ(host.tabs[1].image, 1);
}

// What listeners hear, and highlighting turned off: the line stays plain but
// listeners still learn it names the user.
TEST_F(MentionWindowTest, ListenersHearEachShownLineAndHighlightCanBeOff) {
  struct Heard : LineListener {
    std::vector<std::string> lines;
    void OnLineShown(const ShownLine& l) override {
      lines.push_back(std::string(l.room) + "|" + std::string(l.senderNick) + "|" + std::string(l.text) + "|" +
                      (l.mention ? "m" : "") + (l.own ? "o" : "") + (l.system ? "s" : "") + (l.oneToOne ? "1" : ""));
    }
  } heard;
  ReadingPreferences preferences{.highlightMentions = false};
  dlg->Transcript().AddListener(heard);
  dlg->Transcript().UsePreferences(preferences);
  OpenRoom("a");
  OpenRoom("b");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥%%7C|앨리스 100%%");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|몰래");
  dlg->Prompts().AddIgnore("#a", "bob");
  dlg->AddMessage("#a", "bob", "|212121|9|굴림|FFFFFF|0|밥|무시됨");
  dlg->AddMessage("#Pchatalice^bob", "ALICE", "|212121|9|굴림|FFFFFF|0|앨리스|hi");
  dlg->AddInfoLine("#a", "<B>%s</B>", {"<x>"});
  EXPECT_TRUE(Tinted("#a").empty());
  EXPECT_EQ(host.tabs[1].image, 1);
  EXPECT_EQ(heard.lines, (std::vector<std::string>{"#a|밥||앨리스 100%|m", "#a|밥|몰래|",
                                                    "#Pchatalice^bob|앨리스|hi|o1", "#a||<B>&lt;x&gt;</B>|s"}));
}

}  // namespace
}  // namespace orvinta::window

namespace orvinta::components {
namespace {

TEST(MentionTabLook, StandsApartFromActivityUntilTheTabIsCurrent) {
  RoomTabStrip strip;
  strip.SetWidth(600);
  for (const char* text : {"home", "room a", "room b"}) strip.Insert(strip.Count(), text);
  strip.SetImage(1, kTabImageActivity);
  strip.SetImage(2, kTabImageMention);
  EXPECT_EQ(strip.Look(1), TabLook::Activity);
  EXPECT_EQ(strip.Look(2), TabLook::Mention);
  EXPECT_EQ(strip.CloseIconOf(2), CloseIcon::Activity);
  EXPECT_NE(SchemeOf(TabLook::Mention).fill, SchemeOf(TabLook::Activity).fill);
  strip.Select(2);
  EXPECT_EQ(strip.Look(2), TabLook::Current);
}

}  // namespace
}  // namespace orvinta::components
