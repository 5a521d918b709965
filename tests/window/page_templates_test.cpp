// The program's own pages carry the elements the window works on, and can be
// served in code page 949.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "platform/cp949.h"
#include "tests/fakes/fake_html_view.h"

namespace orvinta::window {
namespace {

std::string ReadPage(const std::string& name) {
  std::ifstream in(std::string(ORVINTA_SOURCE_DIR) + "/client/resources/pages/" + name, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Inner(const std::string& page, const std::string& id) {
  const auto span = fakes::FindElement(page, id);
  return span ? page.substr(span->innerBegin, span->innerEnd - span->innerBegin) : "<missing>";
}

TEST(PageTemplates, EveryPageConvertsToEucKrAndSaysSo) {
  for (const char* name : {"107.html", "229.html"}) {
    const std::string page = ReadPage(name);
    ASSERT_FALSE(page.empty()) << name;
    EXPECT_TRUE(platform::Utf8ToCp949(page).has_value()) << name;
    EXPECT_NE(page.find("charset=euc-kr"), std::string::npos) << name;
    EXPECT_NE(page.find("MSTHEMECOMPATIBLE"), std::string::npos) << name;
    EXPECT_NE(page.find("<TITLE>Orvinta</TITLE>"), std::string::npos) << name;
  }
}

TEST(PageTemplates, TranscriptHasItsMarkerAndTheMemberHeaderItsPictures) {
  EXPECT_EQ(Inner(ReadPage("107.html"), "CHAT_MAIN"), "<SPAN ID=END_LINE></SPAN>");
  for (const char* picture : {"gif/bg_ye_01.gif", "gif/bg_ye_02.gif", "gif/bg_ye_03.gif"}) {
    EXPECT_FALSE(ReadPage(picture).empty()) << picture;
  }
}

TEST(PageTemplates, LauncherPostsUserAndKeyToItsTarget) {
  const std::string launcher = ReadPage("229.html");
  EXPECT_NE(Inner(launcher, "Form1").find("NAME=\"uid\""), std::string::npos);
  EXPECT_NE(Inner(launcher, "Form1").find("NAME=\"rkey\""), std::string::npos);
  EXPECT_NE(launcher.find("METHOD=\"post\""), std::string::npos);
  EXPECT_NE(launcher.find("getParameter(query, \"target\")"), std::string::npos);
}

}  // namespace
}  // namespace orvinta::window
