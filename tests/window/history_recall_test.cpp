// Up and Down in the input line recall the room's sent lines.
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using Key = ComposeAndSend::Key;

class HistoryRecallTest : public WindowTest {
 protected:
  void SetUp() override {
    StartAndLogin();
    OpenRoom("abc");
  }
  void TypeAndSend(const std::string& text) {
    input.text = text;
    dlg->Composing().OnBnClickedChatsend();
  }
  bool Press(Key key) { return dlg->Composing().PreTranslateMessage(key, true); }
};

TEST_F(HistoryRecallTest, UpAndDownWalkTheSentLinesAndComeBackToWhatWasTyped) {
  for (const char* line : {"one", "two", "셋"}) TypeAndSend(line);
  input.text = "draft";
  const struct {
    Key key;
    const char* shown;
    bool consumed;  // a recalled line keeps the key from moving the caret
  } steps[] = {
      {Key::Up, "셋", true},    {Key::Up, "two", true},     {Key::Up, "one", true},
      {Key::Up, "one", false},  // the oldest: nothing older
      {Key::Down, "two", true}, {Key::Down, "셋", true},     {Key::Down, "draft", true},
      {Key::Down, "draft", false},  // past the newest already
      {Key::Up, "셋", true},
  };
  int step = 0;
  for (const auto& s : steps) {
    EXPECT_EQ(Press(s.key), s.consumed) << "step " << step;
    EXPECT_EQ(input.text, s.shown) << "step " << step;
    EXPECT_EQ(input.repaints, ++step) << "every Up and Down repaints the input line";
  }
  // Sending puts the cursor past the newest again, and the draft is gone.
  TypeAndSend("four");
  EXPECT_TRUE(Press(Key::Up));
  EXPECT_EQ(input.text, "four");
  EXPECT_TRUE(Press(Key::Down));
  EXPECT_EQ(input.text, "");
}

TEST_F(HistoryRecallTest, EachRoomRecallsItsOwnLines) {
  TypeAndSend("in abc");
  OpenRoom("xyz");
  EXPECT_FALSE(Press(Key::Up));  // nothing sent here yet: the key goes on
  EXPECT_EQ(input.text, "");
  dlg->BringChannelToFront("#abc");
  EXPECT_TRUE(Press(Key::Up));
  EXPECT_EQ(input.text, "in abc");
}

}  // namespace
}  // namespace orvinta::window
