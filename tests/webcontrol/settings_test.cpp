// The settings rules, the property exchange and the module's shared record.
#include "tests/webcontrol/control_fixture.h"
#include "webcontrol/module_state.h"
#include "webcontrol/quendel_settings.h"

namespace orvinta::quendel::testing {
namespace {

struct SwitchCase {
  const char* name;
  const char* text;
  bool on;
};

class QuendelSwitchText : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(QuendelSwitchText, TurnsOnForTrueInAnyCaseOnly) {
  SettingTexts texts;
  texts.AutoConnect = texts.Debug = GetParam().text;
  const QuendelSettings settings = DeriveSettings(texts);
  EXPECT_EQ(settings.AutoConnect, GetParam().on);
  EXPECT_EQ(settings.Debug, GetParam().on);
}

INSTANTIATE_TEST_SUITE_P(Quendel, QuendelSwitchText,
                         ::testing::Values(SwitchCase{"Upper", "TRUE", true}, SwitchCase{"Lower", "true", true},
                                           SwitchCase{"Mixed", "True", true}, SwitchCase{"Blanks", " \ttrue  ", true},
                                           SwitchCase{"One", "1", false}, SwitchCase{"Yes", "yes", false},
                                           SwitchCase{"Empty", "", false}, SwitchCase{"Longer", "TRUEX", false}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(QuendelSettingRules, IconIsTheLeadingDecimalInteger) {
  const std::pair<const char*, std::int32_t> cases[] = {
      {"12ab", 12}, {"ab", 0}, {"  1234 ", 1234}, {"-7", -7}, {"", 0}, {"99999999999", INT32_MAX}};
  for (const auto& [text, icon] : cases) {
    SettingTexts texts;
    texts.UserIcon = text;
    EXPECT_EQ(DeriveSettings(texts).UserIcon, icon) << text;
  }
}

TEST(QuendelSettingRules, TextsAreTrimmedIncludingKoreanOnes) {
  SettingTexts texts{"", "  host:1 ", "\tsess ", " kim ", " 김철수 ", "", "", ""};
  const QuendelSettings settings = DeriveSettings(texts);
  EXPECT_EQ(settings.ServerAddr, "host:1");
  EXPECT_EQ(settings.UserSession, "sess");
  EXPECT_EQ(settings.UserID, "kim");
  EXPECT_EQ(settings.UserNick, "김철수");
}

TEST_F(QuendelControlTest, NoParamsGiveEverythingOffAndEmpty) {
  ctrl.Load({});
  const QuendelSettings& s = ctrl.Settings();
  EXPECT_FALSE(s.AutoConnect);
  EXPECT_FALSE(s.Debug);
  EXPECT_EQ(s.UserIcon, 0);
  EXPECT_TRUE(s.ServerAddr.empty() && s.UserSession.empty() && s.UserID.empty() && s.UserNick.empty());
}

TEST_F(QuendelControlTest, ParamNamesMatchWithoutRegardToCaseAndValuesArriveAsUtf8) {
  ctrl.Load({{"autoconnect", "true"}, {"USERNICK", U8(u8"김철수")}, {"UserIcon", "1234"}});
  EXPECT_TRUE(ctrl.Settings().AutoConnect);
  EXPECT_EQ(ctrl.Settings().UserNick, "김철수");
  EXPECT_EQ(ctrl.Settings().UserIcon, 1234);
}

TEST_F(QuendelControlTest, SaveThenLoadGivesBackWhatWasLoaded) {
  const com::PropertyBag loaded{{"AutoConnect", "True"}, {"ServerAddr", "chat.example:8080"},
                                {"UserSession", "sess"}, {"UserID", "Kim"},
                                {"UserNick", U8(u8"김철수")}, {"UserIcon", "1234"},
                                {"Debug", "TRUE"}};
  ctrl.Load(loaded);
  const QuendelSettings before = ctrl.Settings();
  com::PropertyBag saved;
  ctrl.Save(saved);
  EXPECT_EQ(saved.Read("AutoConnect"), "TRUE");
  EXPECT_EQ(saved.Read("UserIcon"), "1234");
  EXPECT_EQ(saved.Read("UserNick"), U8(u8"김철수"));

  CQuendelCtrl other{QuendelPorts{platformInfo, boxes, shell, transports, views, ""}};
  other.Load(saved);
  const QuendelSettings& after = other.Settings();
  EXPECT_EQ(after.AutoConnect, before.AutoConnect);
  EXPECT_EQ(after.ServerAddr, before.ServerAddr);
  EXPECT_EQ(after.UserSession, before.UserSession);
  EXPECT_EQ(after.UserID, before.UserID);
  EXPECT_EQ(after.UserNick, before.UserNick);
  EXPECT_EQ(after.UserIcon, before.UserIcon);
  EXPECT_EQ(after.Debug, before.Debug);
  EXPECT_TRUE(ctrl.Settings().AutoConnect) << "saving keeps the control's own values";
}

TEST_F(QuendelControlTest, ResetEndsWithEverySettingEmpty) {
  ctrl.InitNew();
  EXPECT_FALSE(ctrl.Settings().AutoConnect);
  EXPECT_EQ(Module().settings.AutoConnect, false);
}

TEST_F(QuendelControlTest, TheControlLoadedLastFillsTheSharedRecord) {
  CQuendelCtrl other{QuendelPorts{platformInfo, boxes, shell, transports, views, ""}};
  ctrl.Load({{"ServerAddr", "first"}, {"Debug", "TRUE"}});
  other.Load({{"ServerAddr", "second"}});
  EXPECT_EQ(Module().settings.ServerAddr, "second");
  EXPECT_FALSE(Module().settings.Debug);
}

}  // namespace
}  // namespace orvinta::quendel::testing
