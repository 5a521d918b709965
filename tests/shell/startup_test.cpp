#include <gtest/gtest.h>

#include "client/shell/hand_over.h"
#include "client/shell/orvinta_app.h"
#include "client/shell/platform_check.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::shell {
namespace {

using platform::OsFamily;

struct FakePlatform final : platform::PlatformInfo {
  platform::OsVersion os{OsFamily::WinNT, 10, 0};
  std::optional<std::string> browser;
  platform::OsVersion Os() const override { return os; }
  std::optional<std::string> BrowserVersion() const override { return browser; }
};

// One running client per endpoint, as the real one listens per user.
struct FakeInstances final : platform::SingleInstance {
  std::string runningEndpoint;
  std::vector<platform::CopyData> sent;
  bool SendToRunning(std::string_view endpoint, const platform::CopyData& m) override {
    if (runningEndpoint.empty() || endpoint != runningEndpoint) return false;
    sent.push_back(m);
    return true;
  }
  bool Listen(std::string_view, Receiver) override { return true; }
};

TEST(PlatformCheck, OperatingSystems) {
  const struct {
    OsFamily family;
    unsigned major, minor;
    bool ok;
  } cases[] = {{OsFamily::Win9x, 4, 0, false},  {OsFamily::Win9x, 4, 10, true}, {OsFamily::Win9x, 4, 90, true},
               {OsFamily::WinNT, 4, 0, false},  {OsFamily::WinNT, 5, 0, true},  {OsFamily::WinNT, 10, 0, true},
               {OsFamily::Other, 99, 0, false}};
  for (const auto& c : cases) {
    EXPECT_EQ(IsOsSupported({c.family, c.major, c.minor}), c.ok) << c.major << "." << c.minor;
  }
}

TEST(PlatformCheck, BrowserVersions) {
  const std::pair<std::optional<std::string>, bool> cases[] = {
      {std::nullopt, true}, {"", true},        {"5.5", true},      {"5.50.4807", true},
      {"5.0", false},       {"4.9", false},    {"6", true},        {"11.0.9600", true},
      {"5.", false},        {"garbage", false}, {"108.0.5359", true}};
  for (const auto& [version, ok] : cases) {
    EXPECT_EQ(IsBrowserSupported(version), ok) << version.value_or("(none)");
  }
}

class StartupTest : public ::testing::Test {
 protected:
  StartupResult Start(std::string_view text) {
    return app.InitInstance(text, "/opt/orvinta/bin/orvinta", {platform, boxes, instances});
  }
  COrvintaApp app;
  FakePlatform platform;
  fakes::FakeMessageBoxes boxes;
  FakeInstances instances;
};

TEST_F(StartupTest, ValidTextRunsAndKeepsTheSettings) {
  EXPECT_EQ(Start("TRUE\n\nk\nalice\n앨리스"), StartupResult::Run);
  EXPECT_EQ(app.Settings.UserId, "alice");
  EXPECT_EQ(app.AppDirectory, "/opt/orvinta/bin");
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, InvalidTextIsABadLaunchWithoutABox) {
  EXPECT_EQ(Start(""), StartupResult::BadLaunchText);
  EXPECT_EQ(Start("\n\n\nx"), StartupResult::BadLaunchText);
  EXPECT_TRUE(boxes.shown.empty());
}

TEST_F(StartupTest, OldPlatformShowsTheBoxAndStops) {
  platform.browser = "5.0";
  EXPECT_EQ(Start("\n\n\nalice"), StartupResult::Stop);
  ASSERT_EQ(boxes.shown.size(), 1u);
  EXPECT_EQ(boxes.shown[0].text, "오르빈타을 이용하기 위해서는 Windows98 이상, IE5.5 이상이 설치되어야 합니다.");
  EXPECT_EQ(boxes.shown[0].caption, "벨보 미렐");
}

TEST_F(StartupTest, SecondLaunchHandsTheRoomOverByteExact) {
  instances.runningEndpoint = HandOverEndpoint("alice");
  EXPECT_EQ(Start("TRUE\n\nk\nAlice\n앨리스\n1\nroom&1\n방|제목\n\nBob\n밥"), StartupResult::HandedOver);
  ASSERT_EQ(instances.sent.size(), 1u);
  EXPECT_EQ(instances.sent[0].dwData, 0x502u);
  constexpr char expected[] = "alice\nroom&1\n방제목\nbob\n밥";
  EXPECT_EQ(instances.sent[0].bytes, std::string(expected, sizeof expected));  // with its zero byte
  EXPECT_TRUE(boxes.shown.empty());  // the platform is not checked for a hand-over
}

TEST_F(StartupTest, AnotherUsersRunningClientIsNotReached) {
  instances.runningEndpoint = HandOverEndpoint("alice");
  EXPECT_EQ(Start("TRUE\n\nk\nbob\n밥\n1\nlobby"), StartupResult::Run);
  EXPECT_TRUE(instances.sent.empty());
}

TEST(HandOverEndpoint, IsAFileNamePerUser) {
  EXPECT_EQ(HandOverEndpoint("alice"), "orvinta-class-616c696365");
  EXPECT_NE(HandOverEndpoint("alice"), HandOverEndpoint("alicf"));
  // Any byte of a code page 949 id stays inside the name.
  EXPECT_EQ(HandOverEndpoint("\xB9\xE4/."), "orvinta-class-b9e42f2e");
}

TEST(AppDirectory, IsTheExecutablesFolder) {
  EXPECT_EQ(COrvintaApp::DirectoryOf("/usr/bin/orvinta"), "/usr/bin");
  EXPECT_EQ(COrvintaApp::DirectoryOf("/orvinta"), "/");
  EXPECT_EQ(COrvintaApp::DirectoryOf("orvinta"), ".");
  EXPECT_EQ(COrvintaApp::DirectoryOf("/a//b//orvinta"), "/a//b");
}

}  // namespace
}  // namespace orvinta::shell
