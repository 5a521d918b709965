// The development portal's blog pages: only member ids make a page.
#include <gtest/gtest.h>

#include "server/blog_page.h"
#include "server/http_site.h"

namespace orvinta::server {
namespace {

class NoRooms final : public ServerView {
 public:
  std::vector<RoomSummary> ListRooms() const override { return {}; }
};

TEST(BlogPage, OnlyIdsMakeAPage) {
  const auto page = BlogPage("/blog/123abc");
  ASSERT_TRUE(page.has_value());
  EXPECT_NE(page->find("<title>123abc"), std::string::npos);
  for (const char* path : {"/blog/", "/blog/<b>", "/blog/a/b", "/blogx/a", "/blog/a%2Fb"}) {
    EXPECT_FALSE(BlogPage(path).has_value()) << path;
  }
}

TEST(BlogPage, ServedUnderItsAddress) {
  NoRooms rooms;
  HttpSite site("/nonexistent", rooms);
  EXPECT_EQ(site.Respond("GET /blog/kim HTTP/1.0\r\n\r\n").rfind("HTTP/1.0 200 OK", 0), 0u);
  EXPECT_EQ(site.Respond("GET /blog/k%3Cim HTTP/1.0\r\n\r\n").rfind("HTTP/1.0 404", 0), 0u);
}

}  // namespace
}  // namespace orvinta::server
