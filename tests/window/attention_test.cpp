// Desktop notifications for lines and invitations: the rule, the text, and a
// burst from one room replacing its notice.
#include <gtest/gtest.h>

#include <map>

#include "client/window/attention_rules.h"
#include "client/window/desktop_attention.h"

namespace orvinta::window {
namespace {

ShownLine Chat(std::string_view room, std::string_view title, std::string_view text, bool mention,
               bool oneToOne = false) {
  return {.room = room, .roomTitle = title, .oneToOne = oneToOne, .senderId = "bob", .senderNick = "밥",
          .text = text, .mention = mention};
}

enum class From { Other, Own, Program };

struct LineCase {
  const char* name;
  std::string room, roomTitle, text;
  bool mention = false;
  From from = From::Other;
  bool windowActive = false;
  bool notificationsOn = true;
  bool notifies = false;
  std::string title = {};
  std::string body = {};
};

constexpr bool kMention = true;
const std::string kOneToOne = "#Pchata^b";

class NoticeForLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(NoticeForLineTest, DecidesAndWrites) {
  const LineCase& c = GetParam();
  ShownLine line = Chat(c.room, c.roomTitle, c.text, c.mention, c.room == kOneToOne);
  line.own = c.from == From::Own;
  line.system = c.from == From::Program;
  const auto notice = NoticeForLine(line, c.windowActive, ReadingPreferences{.notifications = c.notificationsOn});
  ASSERT_EQ(notice.has_value(), c.notifies);
  if (!notice) return;
  EXPECT_EQ(notice->room, c.room);
  EXPECT_EQ(notice->title, c.title);
  EXPECT_EQ(notice->body, c.body);
}

const std::string kSixtyA(60, 'a');

INSTANTIATE_TEST_SUITE_P(
    Lines, NoticeForLineTest,
    ::testing::Values(
        LineCase{"MentionWhileAway", "#lobby", "로비", "앨리스 봤어?", kMention, From::Other, false, true, true, "로비",
                 "밥: 앨리스 봤어?"},
        LineCase{"MentionWhileActive", "#lobby", "로비", "앨리스", kMention, From::Other, true},
        LineCase{"NotificationsOff", "#lobby", "로비", "앨리스", kMention, From::Other, false, false},
        LineCase{"PlainLineInAGroupRoom", "#lobby", "로비", "안녕"},
        LineCase{"OneToOneLine", kOneToOne, "밥님과의 1:1 대화방입니다", "안녕", false, From::Other, false, true, true,
                 "밥님과의 1:1 대화방입니다", "밥: 안녕"},
        LineCase{"OneToOneWithoutTitleNamesThePartner", kOneToOne, "", "안녕", false, From::Other, false, true, true,
                 "밥", "밥: 안녕"},
        LineCase{"GroupWithoutTitleNamesTheRoom", "#lobby", "", "앨리스", kMention, From::Other, false, true, true,
                 "lobby", "밥: 앨리스"},
        LineCase{"OwnLine", kOneToOne, "", "앨리스", kMention, From::Own},
        LineCase{"ProgramLine", kOneToOne, "", "<B>앨리스</B>", kMention, From::Program},
        LineCase{"LineBreakIsASpace", "#lobby", "로비", "앨리스<br>봐", kMention, From::Other, false, true, true, "로비",
                 "밥: 앨리스 봐"},
        LineCase{"ControlCharactersBecomeOneSpace", "#lobby", "로비", "앨리스\r\n\t  봐", kMention, From::Other,
                 false, true, true, "로비", "밥: 앨리스 봐"},
        // The sender spells "<" and ">" as entities; the notice shows them as the transcript does.
        LineCase{"EntitiesAsTheTranscriptShowsThem", "#lobby", "로비", "앨리스 &lt;b&gt; &amp;&quot; & x", kMention,
                 From::Other, false, true, true, "로비", "밥: 앨리스 <b> &\" & x"},
        // An emoji stays one character, whole, however close to the cut it stands.
        LineCase{"WideCharacterIsOneWholeCharacter", "#lobby", "로비", "앨리스 " + std::string(70, 'x') + "&#128512;zzzz",
                 kMention, From::Other, false, true, true, "로비",
                 "밥: 앨리스 " + std::string(70, 'x') + "\x1B" "128512;z…"},
        LineCase{"WideCharacterKeptAsItsMark", "#lobby", "로비", "앨리스 &#128512;", kMention, From::Other, false, true,
                 true, "로비", "밥: 앨리스 \x1B" "128512;"},
        // Cut at the last space in reach, then the mark.
        LineCase{"LongLineEndsOnAWord", "#lobby", "로비", "앨리스 " + kSixtyA + " bbbbbbbbbbbbbbbbbbbb", kMention,
                 From::Other, false, true, true, "로비", "밥: 앨리스 " + kSixtyA + "…"},
        LineCase{"LongWordIsCutToTheLimit", "#lobby", "로비", "앨리스 " + std::string(200, 'x'), kMention,
                 From::Other, false, true, true, "로비", "밥: 앨리스 " + std::string(72, 'x') + "…"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FirstWords, CutsBetweenDoubleByteCharacters) {
  const std::string cut = FirstWords(std::string(300, '\xB0'), 10);  // "갇" is B0 B0
  EXPECT_EQ(cut, std::string(18, '\xB0') + "…");  // nine characters and the mark
  EXPECT_EQ(FirstWords("ab\xB0", 10), "ab");         // a lead byte without its trail is dropped
  EXPECT_EQ(FirstWords("  \x01", 10), "");
}

TEST(NoticeForInvitation, OnlyForOneToOneRoomsWhileAway) {
  const ReadingPreferences on;
  const auto notice = NoticeForInvitation("#Pchata^b", "밥", false, on);
  ASSERT_TRUE(notice);
  EXPECT_EQ(notice->title, "밥님과의 1:1 대화방입니다");
  EXPECT_EQ(notice->body, "밥님이 1:1 대화에 초대했습니다.");
  EXPECT_EQ(notice->room, "");  // the room is not open yet
  EXPECT_FALSE(NoticeForInvitation("#lobby", "밥", false, on));
  EXPECT_FALSE(NoticeForInvitation("#Pchata^b", "밥", true, on));
  EXPECT_FALSE(NoticeForInvitation("#Pchata^b", "밥", false, ReadingPreferences{.notifications = false}));
}

class FakeNotifications final : public platform::DesktopNotifications {
 public:
  platform::NotificationId Notify(const platform::DesktopNotice& notice) override {
    shown.push_back(notice);
    if (!available) return 0;
    return notice.replaces ? notice.replaces : ++last;
  }
  void Close(platform::NotificationId id) override {
    closedByProgram.push_back(id);
    if (closed) closed(id);
  }
  void SetHandlers(std::function<void(platform::NotificationId)> onClick,
                   std::function<void(platform::NotificationId)> onClose) override {
    clicked = std::move(onClick);
    closed = std::move(onClose);
  }
  bool available = true;
  platform::NotificationId last = 0;
  std::vector<platform::DesktopNotice> shown;
  std::vector<platform::NotificationId> closedByProgram;
  std::function<void(platform::NotificationId)> clicked, closed;
};

class DesktopAttentionTest : public ::testing::Test {
 protected:
  FakeNotifications desktop;
  ReadingPreferences preferences;
  bool active = false;
  std::vector<std::string> broughtForward;
  std::vector<int> counts;
  DesktopAttention attention{{desktop, preferences, [this] { return active; },
                              [this](std::string_view room) { broughtForward.emplace_back(room); },
                              [this](int n) { counts.push_back(n); }}};
};

TEST_F(DesktopAttentionTest, ABurstFromOneRoomReplacesItsNotice) {
  attention.OnLineShown(Chat("#Pchata^b", "1:1", "하나", false, true));
  attention.OnLineShown(Chat("#lobby", "로비", "앨리스", true));
  attention.OnLineShown(Chat("#Pchata^b", "1:1", "둘", false, true));
  attention.OnLineShown(Chat("#Pchata^b", "1:1", "셋", false, true));
  ASSERT_EQ(desktop.shown.size(), 4u);
  EXPECT_EQ(desktop.shown[1].replaces, 0u);  // another room: a notice of its own
  EXPECT_EQ(desktop.shown[2].replaces, 1u);
  EXPECT_EQ(desktop.shown[2].title, "1:1 (2)");
  EXPECT_EQ(desktop.shown[3].replaces, 1u);
  EXPECT_EQ(desktop.shown[3].title, "1:1 (3)");
  EXPECT_EQ(desktop.shown[3].body, "밥: 셋");
  EXPECT_EQ(counts, std::vector<int>{1});  // the mention in the lobby

  desktop.closed(1);  // dismissed: the next line starts afresh
  attention.OnLineShown(Chat("#Pchata^b", "1:1", "넷", false, true));
  EXPECT_EQ(desktop.shown.back().replaces, 0u);
  EXPECT_EQ(desktop.shown.back().title, "1:1");
}

// Lines missed during a drop come together: one notice for those that would
// each have raised one, every mention counted.
TEST_F(DesktopAttentionTest, ABatchOfLinesRaisesOneNotice) {
  const std::vector<ShownLine> batch{Chat("#lobby", "로비", "앨리스", true), Chat("#lobby", "로비", "plain", false),
                                     Chat("#lobby", "로비", "앨리스?", true)};
  attention.OnLinesShown(batch);
  ASSERT_EQ(desktop.shown.size(), 1u);
  EXPECT_EQ(desktop.shown[0].title, "로비 (2)");
  EXPECT_EQ(desktop.shown[0].body, "밥: 앨리스?");
  EXPECT_EQ(counts, std::vector<int>{2});
}

TEST_F(DesktopAttentionTest, AClickBringsTheRoomAndActivationClearsEverything) {
  attention.OnLineShown(Chat("#lobby", "로비", "앨리스", true));
  attention.OnLineShown(Chat("#Pchata^b", "1:1", "하나", false, true));
  attention.OnInvitation("#Pchata^c", "씨");
  desktop.clicked(1);
  desktop.clicked(3);
  desktop.clicked(99);  // not ours: nothing
  EXPECT_EQ(broughtForward, (std::vector<std::string>{"#lobby", ""}));

  attention.OnWindowActivated();
  EXPECT_EQ(desktop.closedByProgram, std::vector<platform::NotificationId>{2});
  EXPECT_EQ(attention.UnseenMentions(), 0);
  EXPECT_EQ(counts, (std::vector<int>{1, 0}));

  active = true;  // while the user reads, nothing is raised or counted
  attention.OnLineShown(Chat("#lobby", "로비", "앨리스", true));
  EXPECT_EQ(desktop.shown.size(), 3u);
  EXPECT_EQ(attention.UnseenMentions(), 0);

  active = false;  // no notification service: mentions are still counted for the tray
  desktop.available = false;
  attention.OnLineShown(Chat("#lobby", "로비", "앨리스", true));
  attention.OnWindowActivated();
  EXPECT_EQ(counts, (std::vector<int>{1, 0, 1, 0}));
  EXPECT_EQ(desktop.closedByProgram.size(), 1u);  // nothing was kept to close
}

}  // namespace
}  // namespace orvinta::window
