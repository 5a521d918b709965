// The window and its settings: read once before the window is placed, the
// texts put into composing, the normal rectangle written on close, and saving
// the transcript of the room shown when the save button was clicked.
#include <functional>
#include <map>

#include "client/window/saving/saved_document.h"
#include "platform/cp949.h"
#include "client/window/saving/transcript_saver.h"
#include "client/window/transcript_source.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::WindowRect;

class SettingsWindowTest : public WindowTest {
 protected:
  std::vector<std::string> TallFrames() {
    std::vector<std::string> out;
    for (const auto& frame : SentFrames()) {
      if (frame.rfind("TALL:", 0) == 0) out.push_back(frame);
    }
    return out;
  }
  void TypeAndSend(const std::string& text) {
    input.text = text;
    dlg->Composing().OnBnClickedChatsend();
  }
};

struct PlacementCase {
  const char* name;
  WindowRect stored;
  std::vector<WindowRect> screens;
  WindowRect expected;  // the window starts at {10, 20, 300, 200}
};

class Placement : public SettingsWindowTest, public testing::WithParamInterface<PlacementCase> {};

TEST_P(Placement, ComesFromTheStoredRectangleAndTheScreens) {
  config.Keep(GetParam().stored);
  host.screens = GetParam().screens;
  Create();
  EXPECT_EQ(config.loads, 1);
  EXPECT_EQ(host.rect.left, GetParam().expected.left);
  EXPECT_EQ(host.rect.top, GetParam().expected.top);
  EXPECT_EQ(host.rect.width, GetParam().expected.width);
  EXPECT_EQ(host.rect.height, GetParam().expected.height);
}

// The size rule itself is in channels_test; here the host's screens take part.
INSTANTIATE_TEST_SUITE_P(
    Cases, Placement,
    testing::Values(PlacementCase{"OffEveryScreenGoesToTheNearest",
                                  {5000, -3000, 800, 600},
                                  {{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}},
                                  {2400, 0, 800, 600}},
                    PlacementCase{"MinimisedCoordinatesComeBack",
                                  {-32000, -32000, 600, 415},
                                  {{0, 0, 1920, 1080}},
                                  {0, 0, 600, 415}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SettingsWindowTest, ClosingWritesTheNormalRectangleOnceWithTheOtherSettings) {
  config.stored.Header = "[머리]";
  Create();
  host.rect = {0, 0, 1920, 1080};  // maximised
  host.normalRect = WindowRect{40, 30, 700, 500};
  dlg->OnClose();
  dlg->OnClose();
  EXPECT_EQ(config.saves, 1);
  EXPECT_EQ(config.stored.WindowLeft, 40);
  EXPECT_EQ(config.stored.WindowTop, 30);
  EXPECT_EQ(config.stored.WindowWidth, 700);
  EXPECT_EQ(config.stored.WindowHeight, 500);
  EXPECT_EQ(config.stored.Header, "[머리]");
}

TEST_F(SettingsWindowTest, HeaderFooterAndShortcutsComeFromTheConfigurationAndFollowItsChanges) {
  config.stored.Header = "[머리]";
  config.stored.Footer = "[꼬리]";
  config.stored.Shortcut[0] = "안녕";
  config.stored.Shortcut[9] = "잘 가요";
  StartAndLogin();
  OpenRoom("abc");

  // F1-F9 go on to their usual handling; F10 is consumed so that it opens no window menu.
  EXPECT_FALSE(dlg->Composing().OnFunctionKey(1));
  EXPECT_TRUE(dlg->Composing().OnFunctionKey(10));
  EXPECT_EQ(input.inserted, (std::vector<std::string>{"안녕", "잘 가요"}));
  TypeAndSend("hi");
  ASSERT_EQ(TallFrames().size(), 1u);
  EXPECT_NE(TallFrames()[0].find("|앨리스|[머리] hi [꼬리]"), std::string::npos) << TallFrames()[0];

  // The settings dialog saved new texts: the next line and key use them.
  config::ConfigValues changed = config.stored;
  changed.Header = "<새>";
  changed.Footer.clear();
  changed.Shortcut[9].clear();
  dlg->Composing().TakeTexts(changed);
  EXPECT_TRUE(dlg->Composing().OnFunctionKey(10));
  EXPECT_EQ(input.inserted.size(), 2u);  // an empty shortcut inserts nothing
  TypeAndSend("bye");
  ASSERT_EQ(TallFrames().size(), 2u);
  // The header is the user's text like the line itself: escaped, never markup.
  EXPECT_NE(TallFrames()[1].find("|앨리스|&lt;새&gt; bye "), std::string::npos) << TallFrames()[1];
}

// The desktop and the file system of saving, in memory.
class FakeSaveDesktop final : public saving::SaveDesktop {
 public:
  std::optional<std::string> RunSaveDialog(const saving::SaveDialogRequest& request) override {
    requests.push_back(request);
    if (whileOpen) whileOpen();  // the window goes on while the dialog is open
    return chosen;
  }
  std::string DocumentsFolder() override { return "/home/me/Documents"; }
  std::optional<std::string> chosen;
  std::function<void()> whileOpen;
  std::vector<saving::SaveDialogRequest> requests;
};

class FakeSaveFiles final : public saving::SaveFiles {
 public:
  bool FolderExists(const std::string&) override { return true; }
  bool CreateFolder(const std::string&) override { return true; }
  bool WriteWhole(const std::string& path, std::string_view bytes) override {
    files[path] = std::string(bytes);
    return true;
  }
  std::map<std::string, std::string> files;
};

class FixedClock final : public saving::LocalClock {
 public:
  std::tm Now() override { return std::tm{}; }
};

class SavingFromTheWindow : public SettingsWindowTest {
 protected:
  void SetUp() override {
    StartAndLogin();
    OpenRoom("abc");
    OpenRoom("def");
    for (const char* room : {"#abc", "#def"}) {
      ViewOf(room);
      dlg->AddInfoLine(room, "lines of %s", {room});
    }
    dlg->BringChannelToFront("#def");
    desktop.chosen = "/home/me/chat/def.htm";
    files.files[*desktop.chosen] = "an older file";
    transcripts = std::make_unique<WindowTranscripts>(dlg->Channels());
    saver = std::make_unique<saving::TranscriptSaver>(saving::SavingPorts{desktop, files, boxes, clock, *transcripts},
                                                      values, [this] { ++configSaves; });
  }
  void ClickSave() { saver->OnBnClickedButtonSave(transcripts->CurrentTarget()); }

  FakeSaveDesktop desktop;
  FakeSaveFiles files;
  FixedClock clock;
  config::ConfigValues values;
  int configSaves = 0;
  std::unique_ptr<WindowTranscripts> transcripts;
  std::unique_ptr<saving::TranscriptSaver> saver;
};

TEST_F(SavingFromTheWindow, TheRoomShownAtTheClickIsSavedEvenWhenAnotherIsShownMeanwhile) {
  desktop.whileOpen = [this] { dlg->BringChannelToFront("#abc"); };
  ClickSave();
  ASSERT_EQ(desktop.requests.size(), 1u);
  EXPECT_EQ(desktop.requests[0].fileName.rfind(platform::Cp949ToUtf8Lossy("수다방("), 0), 0u) << desktop.requests[0].fileName;
  // The file holds the lines of #def as its page shows them.
  const std::string saved = files.files[*desktop.chosen];
  EXPECT_EQ(saved, saving::SavedDocument(ViewOf("#def").Inner()));
  EXPECT_NE(saved.find("lines of #def"), std::string::npos);
  EXPECT_EQ(saved.find("lines of #abc"), std::string::npos);
  EXPECT_EQ(values.SaveFolder, "/home/me/chat");
  EXPECT_EQ(configSaves, 1);
}

TEST_F(SavingFromTheWindow, ARoomClosedWhileTheDialogIsOpenLeavesTheFileAsItWas) {
  desktop.whileOpen = [this] { dlg->RemoveChannel("#def"); };
  ClickSave();
  views.AnswerAllReads();
  EXPECT_EQ(files.files[*desktop.chosen], "an older file");
  EXPECT_TRUE(boxes.shown.empty());
}

}  // namespace
}  // namespace orvinta::window
