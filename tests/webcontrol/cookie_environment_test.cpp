// Reading the portal session cookie, and the environment check.
#include "protocol/ui_text.h"
#include "tests/webcontrol/control_fixture.h"
#include "webcontrol/environment_check.h"
#include "webcontrol/session_cookie.h"

namespace orvinta::quendel::testing {
namespace {

struct CookieCase {
  const char* name;
  const char* cookie;
  const char* value;
};

class QuendelCookie : public ::testing::TestWithParam<CookieCase> {};

TEST_P(QuendelCookie, FindsTheSessionValue) {
  EXPECT_EQ(FindCookieValue(GetParam().cookie, kSessionCookieName), GetParam().value);
}

INSTANTIATE_TEST_SUITE_P(
    Quendel, QuendelCookie,
    ::testing::Values(CookieCase{"Alone", "blvsession_eid=abc", "abc"},
                      CookieCase{"AmongOthers", "a=1; blvsession_eid=abc; b=2", "abc"},
                      CookieCase{"BlanksAroundNameAndValue", "a=1;  blvsession_eid  =  abc  ;b=2", "abc"},
                      CookieCase{"UpperCaseNameDoesNotMatch", "BLVSESSION_EID=abc", ""},
                      CookieCase{"Missing", "a=1; b=2", ""}, CookieCase{"Empty", "", ""},
                      CookieCase{"FirstMatchWins", "blvsession_eid=one; blvsession_eid=two", "one"},
                      CookieCase{"ValueCutAtSecondEquals", "blvsession_eid=ab=cd", "ab"},
                      CookieCase{"PrefixedNameDoesNotMatch", "xblvsession_eid=abc", ""},
                      CookieCase{"NoValue", "blvsession_eid", ""}),
    [](const auto& info) { return std::string(info.param.name); });

struct VersionCase {
  const char* name;
  platform::OsVersion os;
  std::optional<std::string> browser;
  bool passes;
};

class QuendelEnvironment : public ::testing::TestWithParam<VersionCase> {};

TEST_P(QuendelEnvironment, PassesOrShowsItsBoxOnce) {
  FakePlatformInfo info;
  info.os = GetParam().os;
  info.browser = GetParam().browser;
  fakes::FakeMessageBoxes boxes;
  std::uint16_t word = 0;
  EXPECT_EQ(RunEnvironmentCheck(info, boxes, word), GetParam().passes);
  ASSERT_EQ(boxes.shown.size(), GetParam().passes ? 0u : 1u);
  if (!GetParam().passes) {
    EXPECT_EQ(boxes.shown[0].text, "오르빈타을 이용하기 위해서는 Windows98 이상, IE5.5 이상이 설치되어야 합니다.");
    EXPECT_EQ(boxes.shown[0].caption, ui_text::BoxCaption());
    EXPECT_EQ(boxes.shown[0].buttons, platform::BoxButtons::Ok);
  }
}

using platform::OsFamily;
constexpr platform::OsVersion kXp{OsFamily::WinNT, 5, 1};
INSTANTIATE_TEST_SUITE_P(
    Quendel, QuendelEnvironment,
    ::testing::Values(VersionCase{"Browser500Fails", kXp, "5.00", false},
                      VersionCase{"Browser472Fails", kXp, "4.72", false},
                      VersionCase{"Browser550Passes", kXp, "5.50", true},
                      VersionCase{"Browser60Passes", kXp, "6.0", true},
                      VersionCase{"Browser11Passes", kXp, "11.0.9600", true},
                      VersionCase{"MissingBrowserPasses", kXp, std::nullopt, true},
                      VersionCase{"EmptyBrowserPasses", kXp, "", true},
                      VersionCase{"Windows95Fails", {OsFamily::Win9x, 4, 0}, "6.0", false},
                      VersionCase{"Windows98Passes", {OsFamily::Win9x, 4, 10}, "6.0", true},
                      VersionCase{"WindowsMePasses", {OsFamily::Win9x, 4, 90}, "6.0", true},
                      VersionCase{"Nt4Fails", {OsFamily::WinNT, 4, 0}, "6.0", false},
                      VersionCase{"Windows2000Passes", {OsFamily::WinNT, 5, 0}, "6.0", true},
                      VersionCase{"OtherPlatformFails", {OsFamily::Other, 9, 9}, "6.0", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(QuendelControlTest, ACheckThatFailsAtCreationLeavesThePageWithoutTheControlWindow) {
  platformInfo.browser = "5.0";
  EXPECT_NE(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  EXPECT_FALSE(ctrl.HasLogicWindow());
  EXPECT_EQ(transports.count(), 0u);
  EXPECT_EQ(boxes.shown.size(), 1u);
}

TEST_F(QuendelControlTest, EveryGuardedCallThatFailsTheCheckShowsTheBoxAndDoesNothing) {
  ASSERT_EQ(Create({{"AutoConnect", "TRUE"}}), com::S_OK);
  transport().AcceptConnect();
  platformInfo.browser = "4.72";
  Call("ReqRoomInfo", {"room1"});
  Call("EnterRoom", {"room1", "t", "TRUE"});
  Call("EnterPrivateRoom", {"lee", "Lee", "TRUE"});
  Call("ReqConnectServer");  // guarded by the window only
  EXPECT_EQ(boxes.shown.size(), 3u);
  EXPECT_TRUE(shell.started.empty());
  EXPECT_EQ(SentFrames().size(), 0u);
  EXPECT_EQ(transports.count(), 2u);
}

}  // namespace
}  // namespace orvinta::quendel::testing
