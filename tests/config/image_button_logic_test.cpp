// The image button's click order and the addresses it may open.
#include <gtest/gtest.h>

#include "client/components/buttons/image_button_logic.h"

namespace orvinta::buttons {
namespace {

class RecordedActions final : public ButtonActions {
 public:
  void TakeFocus() override { steps.push_back("focus"); }
  void PlaySound(int id) override { steps.push_back("sound " + std::to_string(id)); }
  void Repaint() override { steps.push_back("repaint"); }
  int TrackMenu() override {
    steps.push_back(button && button->IsPressed() ? "menu (pressed)" : "menu");
    return chosen;
  }
  void PostCommand(int command) override { steps.push_back("post " + std::to_string(command)); }
  void OpenAddress(const std::string& address) override { steps.push_back("open " + address); }
  std::vector<std::string> steps;
  int chosen = 0;
  const ImageButtonLogic* button = nullptr;  // its pressed mark is read while the menu shows
};

struct ClickCase {
  std::string name;
  bool checkBox;
  bool menu;
  std::string address;
  int sound;
  int chosen;
  std::vector<std::string> steps;
};

class ImageButtonClick : public testing::TestWithParam<ClickCase> {};

TEST_P(ImageButtonClick, RunsInOrder) {
  const ClickCase& c = GetParam();
  ImageButtonLogic button;
  button.SetCheckBox(c.checkBox);
  button.SetHasMenu(c.menu);
  button.SetWebAddress(c.address);
  button.SetSound(c.sound);
  RecordedActions actions;
  actions.chosen = c.chosen;
  actions.button = &button;
  button.OnClick(actions);
  EXPECT_EQ(actions.steps, c.steps);
  EXPECT_FALSE(button.IsPressed());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ImageButtonClick,
    testing::Values(
        ClickCase{"NothingAttachedOnlyTakesFocus", false, false, "", 0, 0, {"focus"}},
        ClickCase{"CheckBoxTogglesBeforeMenuAndAddress", true, true, "http://a.kr", 3, 0,
                  {"focus", "sound 3", "repaint"}},
        ClickCase{"MenuPostsTheChosenCommand", false, true, "http://a.kr", 0, 1204,
                  {"focus", "menu (pressed)", "repaint", "post 1204"}},
        ClickCase{"MenuDismissedPostsNothing", false, true, "", 0, 0, {"focus", "menu (pressed)", "repaint"}},
        ClickCase{"AddressOpensAfterTheSound", false, false, "https://a.kr/x?y=1", 9, 0,
                  {"focus", "sound 9", "open https://a.kr/x?y=1"}},
        ClickCase{"RefusedAddressOpensNothing", false, false, "file:///etc/passwd", 0, 0, {"focus"}}),
    [](const auto& info) { return info.param.name; });

struct AddressCase {
  std::string name;
  std::string address;
  bool openable;
};

class WebAddress : public testing::TestWithParam<AddressCase> {};

TEST_P(WebAddress, IsOpenableOnlyForHttp) {
  EXPECT_EQ(IsOpenableAddress(GetParam().address), GetParam().openable);
  ImageButtonLogic button;
  EXPECT_EQ(button.SetWebAddress(GetParam().address), GetParam().openable);
  EXPECT_EQ(button.WebAddress().empty(), !GetParam().openable);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, WebAddress,
    testing::Values(AddressCase{"Http", "http://blog.example.kr/kim", true},
                    AddressCase{"HttpsUpperCase", "HTTPS://example.kr", true},
                    AddressCase{"MostCharacters", "http://a.kr/" + std::string(259 - 12, 'x'), true},
                    AddressCase{"OneTooMany", "http://a.kr/" + std::string(260 - 12, 'x'), false},
                    AddressCase{"File", "file:///etc/passwd", false},
                    AddressCase{"Script", "javascript:alert(1)", false},
                    AddressCase{"NoHost", "http:///x", false},
                    AddressCase{"SpaceInside", "http://a.kr/ --flag", false},
                    AddressCase{"ControlInside", "http://a.kr/\n", false},
                    AddressCase{"ProgramPath", "/usr/bin/xterm", false}, AddressCase{"Empty", "", false}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace orvinta::buttons
