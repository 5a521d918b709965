// Where the main window and the settings dialog open, and the dialog's texts.
#include <gtest/gtest.h>

#include "client/components/config/config_dlg_logic.h"
#include "client/components/config/window_placement.h"
#include "platform/cp949.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::config {
namespace {

using platform::WindowRect;

std::string Repeat(const std::string& s, int n) {
  std::string out;
  for (int i = 0; i < n; ++i) out += s;
  return out;
}

struct PlacementCase {
  std::string name;
  WindowRect stored;
  std::vector<WindowRect> screens;
  WindowRect expected;
  int earlierWindows = 0;
};

class MainWindowPlacement : public testing::TestWithParam<PlacementCase> {};

TEST_P(MainWindowPlacement, FollowsTheSizeRuleAndStaysOnAScreen) {
  const PlacementCase& c = GetParam();
  ConfigValues stored;
  StoreWindowRect(c.stored, stored);
  const WindowRect placed = PlaceMainWindow(stored, WindowRect{30, 40, 200, 100}, c.screens, c.earlierWindows);
  EXPECT_EQ(placed.left, c.expected.left);
  EXPECT_EQ(placed.top, c.expected.top);
  EXPECT_EQ(placed.width, c.expected.width);
  EXPECT_EQ(placed.height, c.expected.height);
}

const std::vector<WindowRect> kOneScreen{{0, 0, 1920, 1080}};
const std::vector<WindowRect> kTwoScreens{{0, 0, 1920, 1080}, {1920, 0, 1280, 1024}};

INSTANTIATE_TEST_SUITE_P(
    Cases, MainWindowPlacement,
    testing::Values(
        PlacementCase{"StoredIsUsed", {100, 50, 800, 600}, kOneScreen, {100, 50, 800, 600}},
        PlacementCase{"ExactMinimumIsUsed", {10, 10, 600, 415}, kOneScreen, {10, 10, 600, 415}},
        PlacementCase{"NarrowKeepsPositionAtDefaultSize", {100, 50, 599, 600}, kOneScreen, {30, 40, 600, 415}},
        PlacementCase{"LowKeepsPositionAtDefaultSize", {100, 50, 800, 414}, kOneScreen, {30, 40, 600, 415}},
        PlacementCase{"FirstStartIsCentred", {0, 0, 600, 415}, kOneScreen, {660, 332, 600, 415}},
        PlacementCase{"LaterWindowsCascade", {100, 50, 800, 600}, kOneScreen, {148, 98, 800, 600}, 2},
        PlacementCase{"CascadeStartsAgainBeforeTheEdge", {0, 0, 600, 415}, {{0, 0, 648, 463}}, {24, 24, 600, 415}, 3},
        PlacementCase{"PartlyVisibleMovesWhollyIn", {1800, 900, 600, 415}, kOneScreen, {1320, 665, 600, 415}},
        PlacementCase{"FarRightMovesBack", {5000, 100, 600, 415}, kOneScreen, {1320, 100, 600, 415}},
        PlacementCase{"AboveAndLeftMovesIn", {-2000, -900, 800, 600}, kOneScreen, {0, 0, 800, 600}},
        PlacementCase{"SlimEdgeCountsAsOff", {1900, 100, 600, 415}, kOneScreen, {1320, 100, 600, 415}},
        PlacementCase{"NearestOfTwoScreens", {3400, 200, 600, 415}, kTwoScreens, {2600, 200, 600, 415}},
        PlacementCase{"SecondScreenStays", {2000, 200, 600, 415}, kTwoScreens, {2000, 200, 600, 415}},
        PlacementCase{"ExtremeValuesStayFinite", {2147483000, -2147483000, 2147483000, 2000}, kOneScreen,
                      {0, 0, 2147483000, 2000}},
        PlacementCase{"NoScreensNoMove", {5000, 100, 600, 415}, {}, {5000, 100, 600, 415}}),
    [](const auto& info) { return info.param.name; });

struct LimitCase {
  std::string name;
  std::size_t edit;
  std::string utf8;
  bool fits;
};

class EditLimits : public testing::TestWithParam<LimitCase> {};

TEST_P(EditLimits, CountCodePage949Bytes) { EXPECT_EQ(FitsEdit(GetParam().edit, GetParam().utf8), GetParam().fits); }

// The texts here stay UTF-8, as the dialog hands them over.
INSTANTIATE_TEST_SUITE_P(
    Cases, EditLimits,
    testing::Values(LimitCase{"TenKoreanInHeader", 0, Repeat("\xEA\xB0\x80", 10), true},
                    LimitCase{"EleventhKoreanRefused", 0, Repeat("\xEA\xB0\x80", 11), false},
                    LimitCase{"TwentiethAsciiInFooter", 1, std::string(20, 'a'), true},
                    LimitCase{"TwentyFirstAsciiRefused", 1, std::string(21, 'a'), false},
                    LimitCase{"MixedFitsExactly", 0, Repeat("\xEA\xB0\x80", 9) + "ab", true},
                    LimitCase{"ShortcutTakesFifty", 2, std::string(50, 'x'), true},
                    LimitCase{"TwentySixKoreanInShortcutRefused", 11, Repeat("\xEA\xB0\x80", 26), false},
                    LimitCase{"EmojiRefused", 2, "hi \xF0\x9F\x98\x80", false},
                    LimitCase{"ThaiRefused", 2, "\xE0\xB8\x81", false},
                    LimitCase{"EmptyFits", 0, "", true}),
    [](const auto& info) { return info.param.name; });

TEST(ConfigDialogRules, TrimKeepsDoubleByteCharactersWhole) {
  EXPECT_EQ(TrimCp949("  \t가나 다\r\n "), "가나 다");
  EXPECT_EQ(TrimCp949("   "), "");
}

TEST(ConfigDialogRules, PlacedCentredOverTheMainWindowNeverNegative) {
  const WindowRect placed = ConfigDlgPlacement({100, 300, 800, 600});
  EXPECT_EQ(placed.left, 100 + 400 - 175);
  EXPECT_EQ(placed.top, 300 + 300 - 229);
  EXPECT_EQ(placed.width, 350);
  EXPECT_EQ(placed.height, 480);
  const WindowRect raised = ConfigDlgPlacement({0, 0, 300, 415});
  EXPECT_EQ(raised.left, 0);
  EXPECT_EQ(raised.top, 0);
}

class ConfigDialogLogic : public testing::Test {
 protected:
  ConfigDialogLogic() {
    values.WindowLeft = 7;
    values.SaveFolder = "/saved";
    values.Skin = 1;
    values.Header = "h";
    values.Shortcut[9] = "ten";
  }
  ConfigValues values;
  fakes::FakeMessageBoxes boxes;
  int saves = 0;
  ConfigDlgLogic logic{values, boxes, [this] { ++saves; }};
};

TEST_F(ConfigDialogLogic, OpensWithTheStoredTextsAndSkin) {
  const EditTexts texts = logic.Texts();
  EXPECT_EQ(texts[0], "h");
  EXPECT_EQ(texts[11], "ten");
  EXPECT_EQ(logic.SkinText(), "GREEN");
}

TEST_F(ConfigDialogLogic, SaveTrimsEveryTextAndWritesOnce) {
  EditTexts texts;
  texts[0] = "  머리 ";
  texts[1] = "\t꼬리";
  texts[2] = " f1 ";
  logic.Save(texts, "BLUE");
  EXPECT_EQ(values.Header, "머리");
  EXPECT_EQ(values.Footer, "꼬리");
  EXPECT_EQ(values.Shortcut[0], "f1");
  EXPECT_EQ(values.Shortcut[9], "");
  EXPECT_EQ(values.Skin, 0);
  EXPECT_EQ(saves, 1);
  logic.Save(texts, "GREEN");
  EXPECT_EQ(values.Skin, 1);
}

TEST_F(ConfigDialogLogic, ResetAsksAndKeepsFolderRectangleAndSkin) {
  boxes.answers = {platform::BoxAnswer::No, platform::BoxAnswer::Yes};
  EXPECT_FALSE(logic.Reset());
  EXPECT_EQ(values.Header, "h");
  EXPECT_EQ(saves, 0);

  EXPECT_TRUE(logic.Reset());
  EXPECT_EQ(values.Header, "");
  EXPECT_EQ(values.Shortcut[9], "");
  EXPECT_EQ(values.SaveFolder, "/saved");
  EXPECT_EQ(values.WindowLeft, 7);
  EXPECT_EQ(values.Skin, 1);
  EXPECT_EQ(saves, 1);
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[0].text, "현재 설정을 초기화 하시겠습니까?  ");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
  EXPECT_EQ(boxes.shown[0].buttons, platform::BoxButtons::YesNo);
  // The literals above are code page 949 bytes.
  EXPECT_EQ(platform::Cp949ToUtf8(boxes.shown[0].caption).value_or(""), "\xEB\xB2\xA8\xEB\xB3\xB4 \xEB\xAF\xB8\xEB\xA0\x90");
}

}  // namespace
}  // namespace orvinta::config
