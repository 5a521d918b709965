// The portal panes: which addresses a page may hand to the desktop's browser.
#include <gtest/gtest.h>

#include "client/window/portal_pane.h"
#include "tests/fakes/fake_html_view.h"
#include "tests/fakes/fake_shell.h"

namespace orvinta::window {
namespace {

struct PaneCase {
  const char* name;
  platform::HtmlViewRole role;
  const char* address;
  const char* opened;  // "" when nothing opens
};

class PortalPaneNewWindowTest : public ::testing::TestWithParam<PaneCase> {};

TEST_P(PortalPaneNewWindowTest, HandsOnOnlyWebAddressesFromTheWelcomePane) {
  fakes::FakeHtmlViewFactory views;
  fakes::FakeShell shell;
  CPortalPane pane(views, GetParam().role, shell);
  pane.OnNewWindowRequested(GetParam().address);
  const std::vector<std::string> expected =
      *GetParam().opened ? std::vector<std::string>{GetParam().opened} : std::vector<std::string>{};
  EXPECT_EQ(shell.urls, expected);
}

INSTANTIATE_TEST_SUITE_P(
    Panes, PortalPaneNewWindowTest,
    ::testing::Values(
        PaneCase{"WelcomeHandsOnHttp", platform::HtmlViewRole::Welcome, "http://a.example/x", "http://a.example/x"},
        PaneCase{"WelcomeHandsOnHttps", platform::HtmlViewRole::Welcome, "https://a.example/", "https://a.example/"},
        PaneCase{"WelcomeRefusesFiles", platform::HtmlViewRole::Welcome, "file:///etc/passwd", ""},
        PaneCase{"WelcomeRefusesPlaceholder", platform::HtmlViewRole::Welcome, "http", ""},
        PaneCase{"WelcomeRefusesSpaces", platform::HtmlViewRole::Welcome, "http://a.example/ x", ""},
        PaneCase{"NavigationBarRefuses", platform::HtmlViewRole::NavigationBar, "http://a.example/x", ""}),
    [](const auto& info) { return std::string(info.param.name); });

class FailingShell final : public platform::Shell {
 public:
  bool OpenProgram(const std::string& path, const std::string& argument) override {
    programs.push_back(path + " " + argument);
    return true;
  }
  bool OpenUrl(const std::string&) override { return false; }
  std::vector<std::string> programs;
};

TEST(OpenPageAddress, FallsBackToTheBrowserProgram) {
  FailingShell shell;
  EXPECT_TRUE(OpenPageAddress(shell, "http://a.example/?a=1&amp;b=2"));
  EXPECT_EQ(shell.programs, std::vector<std::string>{std::string(kFallbackBrowser) + " http://a.example/?a=1&b=2"});
}

TEST(CPortalPane, LoadedByTheTopFramesDocumentOnly) {
  fakes::FakeHtmlViewFactory views;
  fakes::FakeShell shell;
  CPortalPane pane(views, platform::HtmlViewRole::Welcome, shell);
  auto& view = static_cast<fakes::FakeHtmlView&>(pane.View());
  view.FireNavigateComplete(1);  // the top-level frame comes first
  view.FireNavigateComplete(2);  // an inner frame
  view.FireDocumentComplete(2);
  EXPECT_FALSE(pane.IsLoaded());
  view.FireDocumentComplete(1);
  EXPECT_TRUE(pane.IsLoaded());
}

}  // namespace
}  // namespace orvinta::window
