// Composing and sending: the send flow, per-room composing settings, the
// toolbar, emoticons, shortcut keys and the keyboard filter.
#include <functional>

#include "client/window/line_html.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using Format = fakes::FakeInputLine::Format;
using Key = ComposeAndSend::Key;

class SendingTest : public WindowTest {
 protected:
  void SetUp() override {
    StartAndLogin();
    OpenRoom("abc");
    input.focuses = 0;  // opening the room focused the input line; the tests count what follows
  }
  void Type(const std::string& text) { input.text = text; }
  void TypeAndSend(const std::string& text) {
    Type(text);
    dlg->Composing().OnBnClickedChatsend();
  }
  std::vector<std::string> TallFrames() {
    std::vector<std::string> out;
    for (const auto& frame : SentFrames()) {
      if (frame.rfind("TALL:", 0) == 0) out.push_back(frame);
    }
    return out;
  }
  Channel& Room(std::string_view name) { return *dlg->Channels().FindByName(name); }
};

struct NotSentCase {
  const char* name;
  const char* typed;
  bool disconnect;
  bool fromWaitingRoom;
  bool kept = false;
};

class NotSent : public SendingTest, public ::testing::WithParamInterface<NotSentCase> {};

TEST_P(NotSent, NothingGoesOutAndOnlyALineForALostConnectionIsKept) {
  if (GetParam().disconnect) dlg->SetConnectStatus(false);
  if (GetParam().fromWaitingRoom) dlg->BringChannelToFront("오르빈타 홈");
  TypeAndSend(GetParam().typed);
  EXPECT_EQ(input.text, GetParam().kept ? GetParam().typed : "");
  EXPECT_EQ(input.clears, GetParam().kept ? 0 : 1);
  EXPECT_TRUE(TallFrames().empty());
  for (const auto& channel : dlg->Channels().All()) EXPECT_TRUE(channel->history.Lines().empty()) << channel->name;
  EXPECT_EQ(Occurrences(ViewOf("#abc").Inner(), "<TD WIDTH=35"), 0);  // no chat line shown
}

INSTANTIATE_TEST_SUITE_P(Cases, NotSent,
                         ::testing::Values(NotSentCase{"OnlySpaces", "   \t ", false, false},
                                           NotSentCase{"Disconnected", "hello", true, false, true},
                                           NotSentCase{"FromWaitingRoom", "hello", false, true}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendingTest, PercentBarAndMarkupTravelEscapedAndShowAsTyped) {
  auto& view = ViewOf("#abc");
  TypeAndSend("  50% a|b <b>x</b> ");
  EXPECT_EQ(input.text, "");
  EXPECT_EQ(TallFrames(), std::vector<std::string>{
                              "TALL:alice/abc/|212121|9|굴림|FFFFFF|1234|앨리스| 50%% a%%7Cb &lt;b&gt;x&lt;/b&gt; "});
  const std::string shown = view.Inner();
  // Shown as text: one "%", an intact "|", the markup escaped once.
  EXPECT_NE(shown.find("> 50% a|b &lt;b&gt;x&lt;/b&gt; </FONT>"), std::string::npos) << shown;
  EXPECT_EQ(shown.find("<b>x"), std::string::npos);
  EXPECT_NE(shown.find("<B>앨리스</B>"), std::string::npos);
  EXPECT_EQ(Room("#abc").history.Lines(), std::vector<std::string>{"50% a|b <b>x</b>"});
  EXPECT_EQ(view.jumps, 1);  // the own line comes into view
}

// What goes on the wire and the user's own echo are the same line, and a
// receiver never gets a broken escape: 399 "|" escape to far more than the
// body the session sends.
TEST_F(SendingTest, ALongLineIsCutWhileComposingAndTheEchoIsWhatWasSent) {
  auto& view = ViewOf("#abc");
  TypeAndSend(std::string(399, '|'));
  const auto frames = TallFrames();
  ASSERT_EQ(frames.size(), 1u);
  const std::string body = frames[0].substr(std::string("TALL:").size());
  EXPECT_LE(body.size(), protocol::kMaxOutgoingBody);
  const std::string line = body.substr(std::string("alice/abc/").size());
  const std::string text = line.substr(line.rfind('|') + 1);
  EXPECT_EQ(text.size() % 4, 1u) << text;  // " " and whole "%%7C"s
  EXPECT_EQ(text.substr(text.size() - 4), "%%7C");

  const std::string shown = view.Inner();
  EXPECT_NE(shown.find(LineHtml(*ChatLineFrom(compose::ParseChatLine(line), portal), portal)), std::string::npos);
  EXPECT_NE(shown.find("▷ 글이 길어 앞부분만 보냈습니다 ◁"), std::string::npos);

  TypeAndSend("short");  // a line that fits says nothing more
  EXPECT_EQ(Occurrences(view.Inner(), "앞부분만"), 1);
}

TEST_F(SendingTest, ToolbarChoicesHeaderAndFooterShapeTheLine) {
  dlg->Composing().Texts().Header = "[머리]";
  dlg->Composing().Texts().Footer = "~꼬리|";
  dlg->Composing().OnFaceChosen(3);
  dlg->Composing().OnSizeChosen(13);
  dlg->Composing().OnStyleChanged(1 | 4);
  dlg->Composing().OnColourChosen(0x212121, ComposeAndSend::kTextColourButton);  // the automatic choice
  dlg->Composing().OnColourChosen(0x0000FF, ComposeAndSend::kBackColourButton);  // red
  TypeAndSend("hi");
  EXPECT_EQ(TallFrames(), std::vector<std::string>{"TALL:alice/abc/BU|212121|13|돋움|FF0000|1234|앨리스|[머리] hi ~꼬리%%7C"});
}

TEST_F(SendingTest, HistoryKeepsTheLast100LinesOfEachRoom) {
  TypeAndSend("first");
  for (int i = 2; i <= 101; ++i) TypeAndSend("line" + std::to_string(i));
  const auto& history = Room("#abc").history;
  ASSERT_EQ(history.Lines().size(), 100u);
  EXPECT_EQ(history.Lines().front(), "line2");
  EXPECT_EQ(history.Lines().back(), "line101");
  EXPECT_EQ(history.Cursor(), 100);
  OpenRoom("other");
  TypeAndSend("elsewhere");
  EXPECT_EQ(Room("#other").history.Lines(), std::vector<std::string>{"elsewhere"});
  EXPECT_EQ(Room("#abc").history.Lines().size(), 100u);
}

TEST_F(SendingTest, EachRoomKeepsItsSettingsAndTheSwitchAppliesThemToTheInputLine) {
  dlg->Composing().OnFaceChosen(2);
  dlg->Composing().OnSizeChosen(11);
  dlg->Composing().OnStyleChanged(2);
  dlg->Composing().OnColourChosen(0x0000FF, ComposeAndSend::kTextColourButton);
  EXPECT_EQ(input.format, (Format{11, 0x0000FF, 2, 2}));
  OpenRoom("b");
  EXPECT_EQ(input.format, (Format{9, 0x212121, 0, 1}));  // a new room starts with the defaults
  dlg->BringChannelToFront("#abc");
  EXPECT_EQ(input.format, (Format{11, 0x0000FF, 2, 2}));
  EXPECT_EQ(host.toolbar.faceName, "바탕");
  EXPECT_EQ(host.toolbar.sizeText, "11");
  EXPECT_TRUE(host.toolbar.italic);
  EXPECT_FALSE(host.toolbar.bold);
}

struct ToolbarCase {
  const char* name;
  std::function<void(COrvintaDlg&)> act;
  Format format;  // of the current room afterwards
  std::uint32_t backColour;
  int formatsApplied;
  int repaints;
};

class Toolbar : public SendingTest, public ::testing::WithParamInterface<ToolbarCase> {};

TEST_P(Toolbar, StoresInTheCurrentRoomAndFormatsTheInputLine) {
  const int formatsBefore = input.formats;
  GetParam().act(*dlg);
  const Channel& room = Room("#abc");
  EXPECT_EQ((Format{room.fontSize, room.textColour, room.style, room.fontFace}), GetParam().format);
  EXPECT_EQ(room.backColour, GetParam().backColour);
  EXPECT_EQ(input.formats - formatsBefore, GetParam().formatsApplied);
  if (GetParam().formatsApplied) {
    EXPECT_EQ(input.format, GetParam().format);
  }
  EXPECT_EQ(input.repaints, GetParam().repaints);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Toolbar,
    ::testing::Values(
        ToolbarCase{"Face", [](COrvintaDlg& d) { d.Composing().OnFaceChosen(4); }, {9, 0x212121, 0, 4}, 0xFFFFFF, 1, 0},
        ToolbarCase{"UnknownFaceIsTheFirst", [](COrvintaDlg& d) { d.Composing().OnFaceChosen(7); }, {9, 0x212121, 0, 1},
                    0xFFFFFF, 1, 0},
        ToolbarCase{"Size", [](COrvintaDlg& d) { d.Composing().OnSizeChosen(15); }, {15, 0x212121, 0, 1}, 0xFFFFFF, 1, 0},
        ToolbarCase{"StyleKeepsItsThreeBits", [](COrvintaDlg& d) { d.Composing().OnStyleChanged(0xFF); }, {9, 0x212121, 7, 1},
                    0xFFFFFF, 1, 0},
        ToolbarCase{"TextColour", [](COrvintaDlg& d) { d.Composing().OnColourChosen(0x00FF00, 1015); }, {9, 0x00FF00, 0, 1},
                    0xFFFFFF, 1, 1},
        ToolbarCase{"BackColourOnlyRepaints", [](COrvintaDlg& d) { d.Composing().OnColourChosen(0x123456, 1018); },
                    {9, 0x212121, 0, 1}, 0x123456, 0, 1},
        ToolbarCase{"OtherButtonIsIgnored", [](COrvintaDlg& d) { d.Composing().OnColourChosen(0x123456, 1016); },
                    {9, 0x212121, 0, 1}, 0xFFFFFF, 0, 0},
        ToolbarCase{"PickerDropDownRepaints", [](COrvintaDlg& d) { d.Composing().OnColourDroppedDown(); }, {9, 0x212121, 0, 1},
                    0xFFFFFF, 0, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendingTest, EmoticonChoiceReplacesTheSelectionWithItsKeyword) {
  for (int index : {-1, 32, 1000}) dlg->Composing().OnEmoticonChosen(index);
  EXPECT_TRUE(input.replaced.empty());
  EXPECT_EQ(input.focuses, 0);
  dlg->Composing().OnEmoticonChosen(0);
  dlg->Composing().OnEmoticonChosen(31);
  EXPECT_EQ(input.replaced, (std::vector<std::string>{"/미소", "/선물"}));
  EXPECT_EQ(input.focuses, 2);
}

TEST_F(SendingTest, FunctionKeysInsertTheirShortcutTexts) {
  dlg->Composing().Texts().Shortcut[0] = "안녕하세요";
  dlg->Composing().Texts().Shortcut[9] = "잘 가요";
  for (int n : {0, 2, 11, -1}) dlg->Composing().OnFunctionKey(n);  // no key, an empty shortcut, no such keys
  EXPECT_TRUE(input.inserted.empty());
  // F1-F9 go on to their usual handling; F10 is consumed so that it opens no window menu.
  EXPECT_FALSE(dlg->Composing().OnFunctionKey(1));
  EXPECT_TRUE(dlg->Composing().OnFunctionKey(10));
  EXPECT_EQ(input.inserted, (std::vector<std::string>{"안녕하세요", "잘 가요"}));
  EXPECT_EQ(input.focuses, 2);
  EXPECT_TRUE(TallFrames().empty());  // inserted, not sent
}

struct KeyCase {
  const char* name;
  Key key;
  bool inInputLine;
  bool consumed;
  bool sends;
  int repaints;
};

class KeyFilter : public SendingTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(KeyFilter, ConsumesEnterAndEscapeAndSendsFromTheInputLine) {
  Type("hi");
  EXPECT_EQ(dlg->Composing().PreTranslateMessage(GetParam().key, GetParam().inInputLine), GetParam().consumed);
  EXPECT_EQ(TallFrames().size(), GetParam().sends ? 1u : 0u);
  EXPECT_EQ(input.text, GetParam().sends ? "" : "hi");
  EXPECT_EQ(input.repaints, GetParam().repaints);
}

INSTANTIATE_TEST_SUITE_P(Cases, KeyFilter,
                         ::testing::Values(KeyCase{"EnterInInput", Key::Enter, true, true, true, 0},
                                           KeyCase{"EnterElsewhere", Key::Enter, false, true, false, 0},
                                           KeyCase{"EscapeInInput", Key::Escape, true, true, false, 0},
                                           KeyCase{"EscapeElsewhere", Key::Escape, false, true, false, 0},
                                           KeyCase{"UpInInput", Key::Up, true, false, false, 1},
                                           KeyCase{"DownInInput", Key::Down, true, false, false, 1},
                                           KeyCase{"UpElsewhere", Key::Up, false, false, false, 0},
                                           KeyCase{"OtherInInput", Key::Other, true, false, false, 0}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(SendingTest, WithoutAnInputLineComposingDoesNothing) {
  dlg.reset();
  input = fakes::FakeInputLine{};
  dlg = std::make_unique<COrvintaDlg>(
      settings, WindowPorts{host, views, timers, boxes, sound, shell, transports, nullptr, &notifier, &config}, portal);
  dlg->OnInitDialog();
  dlg->Composing().OnBnClickedChatsend();
  dlg->Composing().OnFaceChosen(2);
  dlg->Composing().OnColourChosen(0x0000FF, ComposeAndSend::kTextColourButton);
  dlg->Composing().OnEmoticonChosen(0);
  dlg->Composing().OnFunctionKey(1);
  EXPECT_TRUE(dlg->Composing().PreTranslateMessage(Key::Enter, true));
  EXPECT_EQ(dlg->Channels().Current()->fontFace, 2);  // the settings are still kept
  EXPECT_EQ(input.clears + input.formats + input.focuses + input.repaints, 0);
}

}  // namespace
}  // namespace orvinta::window
