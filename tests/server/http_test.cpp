// The HTTP side: request parsing, the portal path rules, the rooms list, and
// the responses of the site over a real directory.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "server/http_request.h"
#include "server/http_site.h"
#include "server/rooms_json.h"

namespace orvinta::server {
namespace {

struct PathCase {
  const char* name;
  std::string path;
  std::optional<std::string> relative;
};
void PrintTo(const PathCase& c, std::ostream* os) { *os << c.name; }

class PortalPathTest : public ::testing::TestWithParam<PathCase> {};

TEST_P(PortalPathTest, MapsInsideThePortalOrNowhere) { EXPECT_EQ(PortalRelativePath(GetParam().path), GetParam().relative); }

INSTANTIATE_TEST_SUITE_P(
    Server, PortalPathTest,
    ::testing::Values(PathCase{"Root", "/", "index.html"}, PathCase{"File", "/css/site.css", "css/site.css"},
                      PathCase{"Folder", "/docs/", "docs/index.html"},
                      PathCase{"DoubleSlashes", "//a//b.html", "a/b.html"},
                      PathCase{"ParentDirectory", "/../etc/passwd", std::nullopt},
                      PathCase{"ParentInTheMiddle", "/a/../../b", std::nullopt},
                      PathCase{"HiddenFile", "/.git/config", std::nullopt},
                      PathCase{"Backslash", "/a\\..\\b", std::nullopt},
                      PathCase{"ZeroByte", std::string("/a\0b", 4), std::nullopt},
                      PathCase{"NotAbsolute", "index.html", std::nullopt}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(HttpRequest, ReadsMethodAndDecodedPathWithoutTheQuery) {
  const auto request = ParseHttpRequest("GET /a%20b.html?x=1 HTTP/1.1\r\nHost: x\r\n\r\n");
  ASSERT_TRUE(request);
  EXPECT_EQ(request->method, "GET");
  EXPECT_EQ(request->path, "/a b.html");
  // An encoded ".." is decoded before the path rules see it.
  EXPECT_EQ(PortalRelativePath(ParseHttpRequest("GET /%2e%2e/x HTTP/1.0\r\n\r\n")->path), std::nullopt);
}

TEST(HttpRequest, RefusesMalformedRequestLines) {
  for (const char* head : {"", "GET\r\n\r\n", "GET / FTP/1.0\r\n\r\n", "GET x HTTP/1.0\r\n\r\n",
                           "GET /%zz HTTP/1.0\r\n\r\n", "GET /%4 HTTP/1.0\r\n\r\n", "GET  / HTTP/1.0\r\n\r\n"}) {
    EXPECT_FALSE(ParseHttpRequest(head)) << head;
  }
}

TEST(RoomsJson, ConvertsToUtf8AndEscapesEverythingThatCouldBreakOut) {
  EXPECT_EQ(JsonString("로비"), "\"\xEB\xA1\x9C\xEB\xB9\x84\"");  // CP949 in, UTF-8 out
  EXPECT_EQ(JsonString("a\"b\\c\n</script>&"), R"("a\"b\\c\u000a\u003c/script\u003e\u0026")");
}

class FixedView final : public ServerView {
 public:
  std::vector<RoomSummary> ListRooms() const override { return {{"lobby", "", 3}, {"x\"y", "", 1}}; }
};

TEST(RoomsJson, ListsEveryRoomWithItsMemberCount) {
  EXPECT_EQ(RoomsJson(FixedView{}),
            R"({"total":2,"offset":0,"rooms":[{"key":"lobby","title":"","members":3},{"key":"x\"y","title":"","members":1}]})");
}

class HttpSiteTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = std::filesystem::temp_directory_path() /
            ("orvinta-portal-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(root_ / "portal");
    std::ofstream(root_ / "portal" / "index.html") << "<p>hello</p>";
    std::ofstream(root_ / "secret.txt") << "secret";
    std::filesystem::create_symlink(root_ / "secret.txt", root_ / "portal" / "link.txt");
  }
  void TearDown() override { std::filesystem::remove_all(root_); }

  std::string Get(const std::string& path, const std::string& method = "GET") {
    HttpSite site((root_ / "portal").string(), view_);
    return site.Respond(method + " " + path + " HTTP/1.0\r\n\r\n");
  }
  static std::string StatusLine(const std::string& response) { return response.substr(0, response.find("\r\n")); }

  std::filesystem::path root_;
  FixedView view_;
};

TEST_F(HttpSiteTest, ServesPortalFilesWithTheirType) {
  const std::string response = Get("/");
  EXPECT_EQ(StatusLine(response), "HTTP/1.0 200 OK");
  EXPECT_NE(response.find("Content-Type: text/html; charset=utf-8\r\n"), std::string::npos);
  EXPECT_NE(response.find("Content-Length: 12\r\n"), std::string::npos);
  EXPECT_TRUE(response.ends_with("\r\n\r\n<p>hello</p>"));
}

TEST_F(HttpSiteTest, PagesMayBeNamedWithoutTheirExtension) {
  EXPECT_EQ(StatusLine(Get("/index")), "HTTP/1.0 200 OK");
  EXPECT_EQ(StatusLine(Get("/index.htm")), "HTTP/1.0 404 Not Found");
  std::ofstream(root_ / "portal" / "ChatWelcome.html") << "<p>welcome</p>";
  EXPECT_TRUE(Get("/welcome").ends_with("<p>welcome</p>")) << "the older name of the page";
}

TEST_F(HttpSiteTest, ServesTheRoomsList) {
  const std::string response = Get("/rooms.json");
  EXPECT_EQ(StatusLine(response), "HTTP/1.0 200 OK");
  EXPECT_TRUE(response.ends_with(RoomsJson(view_)));
}

TEST_F(HttpSiteTest, AvatarAddressesGetADrawnPicture) {
  EXPECT_EQ(HttpSite::AvatarPicture("/avatar/1/10/1001.gif"), "/avatar/face_1.gif");
  EXPECT_EQ(HttpSite::AvatarPicture("/avatar/34/12/s_1234.gif"), "/avatar/small_2.gif");
  EXPECT_EQ(HttpSite::AvatarPicture("/avatar/1/1/x.gif"), std::nullopt);
  EXPECT_EQ(HttpSite::AvatarPicture("/avatar/1/1/1234567890.gif"), std::nullopt);
  EXPECT_EQ(HttpSite::AvatarPicture("/img/1.gif"), std::nullopt);
}

TEST_F(HttpSiteTest, NothingOutsideThePortalAndOnlyGetOrPost) {
  EXPECT_EQ(StatusLine(Get("/../secret.txt")), "HTTP/1.0 404 Not Found");
  EXPECT_EQ(StatusLine(Get("/link.txt")), "HTTP/1.0 404 Not Found") << "a link leading out";
  EXPECT_EQ(StatusLine(Get("/missing.html")), "HTTP/1.0 404 Not Found");
  EXPECT_EQ(StatusLine(Get("/index", "POST")), "HTTP/1.0 200 OK") << "the launcher page's form";
  EXPECT_EQ(StatusLine(Get("/", "PUT")), "HTTP/1.0 405 Method Not Allowed");
  EXPECT_EQ(StatusLine(Get("/", "HEAD")), "HTTP/1.0 405 Method Not Allowed");
}

}  // namespace
}  // namespace orvinta::server
