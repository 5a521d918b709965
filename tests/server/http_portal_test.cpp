// The HTTP side's own pages: the rooms list in pages, /metrics, and the
// development sign-in that sets the session cookie.
#include <gtest/gtest.h>

#include "server/http_request.h"
#include "server/http_site.h"
#include "server/portal_signin.h"
#include "server/rooms_json.h"
#include "server/server_metrics.h"

namespace orvinta::server {
namespace {

class ManyRooms final : public ServerView {
 public:
  std::vector<RoomSummary> ListRooms() const override {
    std::vector<RoomSummary> rooms;
    for (int i = 0; i < 250; ++i) rooms.push_back({"r" + std::to_string(1000 + i), "", 1});
    return rooms;
  }
};

std::size_t CountKeys(const std::string& json) {
  std::size_t n = 0;
  for (auto at = json.find("\"key\""); at != std::string::npos; at = json.find("\"key\"", at + 1)) ++n;
  return n;
}

struct PageCase {
  const char* name;
  std::size_t offset;
  std::size_t limit;
  std::size_t rooms;
  const char* first;  // the first key on the page, "" for none
};
void PrintTo(const PageCase& c, std::ostream* os) { *os << c.name; }

class RoomsPageTest : public ::testing::TestWithParam<PageCase> {};

TEST_P(RoomsPageTest, HoldsItsSliceAndTheTotal) {
  const std::string json = RoomsJson(ManyRooms{}, GetParam().offset, GetParam().limit);
  EXPECT_TRUE(json.starts_with("{\"total\":250,")) << json.substr(0, 40);
  EXPECT_EQ(CountKeys(json), GetParam().rooms);
  if (*GetParam().first) {
    EXPECT_NE(json.find(std::string("\"rooms\":[{\"key\":\"") + GetParam().first), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Server, RoomsPageTest,
                         ::testing::Values(PageCase{"FirstPage", 0, 50, 50, "r1000"},
                                           PageCase{"LastWholePage", 200, 50, 50, "r1200"},
                                           PageCase{"CutByTheEnd", 240, 50, 10, "r1240"},
                                           PageCase{"PastTheEnd", 250, 50, 0, ""},
                                           PageCase{"AtTheMaximum", 0, 200, 200, "r1000"},
                                           PageCase{"AboveTheMaximum", 0, 201, 200, "r1000"}),
                         [](const auto& info) { return std::string(info.param.name); });

std::string Get(const HttpSite& site, const std::string& target, const std::string& peer = "127.0.0.1") {
  return site.Respond("GET " + target + " HTTP/1.0\r\n\r\n", peer);
}

TEST(HttpPortal, RoomsListTakesItsPageFromTheQuery) {
  ManyRooms view;
  HttpSite site("/nonexistent", view);
  const std::string response = Get(site, "/rooms.json?offset=240&limit=5");
  EXPECT_NE(response.find("\"offset\":240,"), std::string::npos);
  EXPECT_EQ(CountKeys(response), 5u);
  EXPECT_EQ(CountKeys(Get(site, "/rooms.json?limit=-1")), kRoomsPageDefault) << "a bad number is ignored";
}

TEST(HttpPortal, MetricsComeFromTheirSource) {
  ManyRooms view;
  HttpSite site("/nonexistent", view, nullptr, [] { return std::string("orvinta_rooms 3\n"); });
  const std::string response = Get(site, "/metrics");
  EXPECT_TRUE(response.starts_with("HTTP/1.0 200 OK\r\n"));
  EXPECT_NE(response.find("Content-Type: text/plain; version=0.0.4"), std::string::npos);
  EXPECT_TRUE(response.ends_with("\r\n\r\norvinta_rooms 3\n"));
}

TEST(HttpPortal, MetricsTextCountsRefusalsByReason) {
  ServerMetrics counters;
  counters.Refused(Refusal::kBadKey);
  counters.Refused(Refusal::kBadKey);
  counters.Dropped(RateClass::kTalk);
  MetricsGauges gauges;
  gauges.queuedOutputBytes = 512;
  const std::string text = PrometheusText(counters, gauges);
  EXPECT_NE(text.find("orvinta_refusals_total{reason=\"bad_key\"} 2\n"), std::string::npos);
  EXPECT_NE(text.find("orvinta_frames_dropped_total{kind=\"talk\"} 1\n"), std::string::npos);
  EXPECT_NE(text.find("orvinta_queued_output_bytes 512\n"), std::string::npos);
  EXPECT_NE(text.find("# TYPE orvinta_deliveries_total counter\n"), std::string::npos);
}

// ---- Sign-in

constexpr std::int64_t kNow = 1'800'000'000;
const SessionKeys kKeys{"a development secret, 32 bytes.", [] { return kNow; }};

SignIn SignInAt(const std::string& query, const std::string& peer = "127.0.0.1") {
  return PortalSignIn(HttpRequest{"GET", "/signin", query}, peer, &kKeys);
}

TEST(PortalSignIn, SetsACookieWithAKeyTheLoginAccepts) {
  const SignIn s = SignInAt("user=Kim&next=%2Frooms.html%3Fx%3D1");
  EXPECT_EQ(s.status, 303);
  EXPECT_EQ(s.userId, "kim");  // as the client sends it
  EXPECT_EQ(s.location, "/rooms.html?x=1");
  ASSERT_TRUE(s.cookie.starts_with("blvsession_eid=")) << s.cookie;
  const std::string key = s.cookie.substr(15, s.cookie.find(';') - 15);
  EXPECT_EQ(kKeys.Check("kim", key), KeyVerdict::kValid);
  EXPECT_NE(s.cookie.find("; Path=/"), std::string::npos);
}

struct SignInCase {
  const char* name;
  std::string query;
  std::string peer;
  int status;
  std::string location;
};
void PrintTo(const SignInCase& c, std::ostream* os) { *os << c.name; }

class SignInCaseTest : public ::testing::TestWithParam<SignInCase> {};

TEST_P(SignInCaseTest, AnswersAsItShould) {
  const SignIn s = SignInAt(GetParam().query, GetParam().peer);
  EXPECT_EQ(s.status, GetParam().status);
  EXPECT_EQ(s.location, GetParam().location);
}

INSTANTIATE_TEST_SUITE_P(
    Server, SignInCaseTest,
    ::testing::Values(
        SignInCase{"NoNextGoesToTheControlPage", "user=kim", "127.0.0.1", 303, "/control.html?user=kim"},
        SignInCase{"DigitFirstGetsAnUnderscore", "user=7up", "127.0.0.1", 303, "/control.html?user=_7up"},
        SignInCase{"KoreanIdIsEncodedInTheAddress", "user=%EC%B2%A0", "127.0.0.1", 303,
                   "/control.html?user=%EC%B2%A0"},
        SignInCase{"OtherSiteIsNotANext", "user=kim&next=%2F%2Fevil.example%2F", "127.0.0.1", 303,
                   "/control.html?user=kim"},
        SignInCase{"AbsoluteAddressIsNotANext", "user=kim&next=http://evil.example/", "127.0.0.1", 303,
                   "/control.html?user=kim"},
        SignInCase{"LineBreaksInNextAreEscaped", "user=kim&next=/a%0D%0ASet-Cookie:x", "127.0.0.1", 303,
                   "/a%0D%0ASet-Cookie:x"},
        SignInCase{"RemotePeerIsForbidden", "user=kim", "10.0.0.1", 403, ""},
        SignInCase{"NoUser", "next=/", "127.0.0.1", 400, ""},
        SignInCase{"UserWithASlash", "user=a/b", "127.0.0.1", 400, ""},
        SignInCase{"UserOf65Bytes", "user=" + std::string(65, 'a'), "127.0.0.1", 400, ""}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(PortalSignIn, SendsTheControlToTheTlsPortOfTheHostTheBrowserNamed) {
  const auto request = ParseHttpRequest("GET /signin?user=kim HTTP/1.1\r\nhost: chat.example:8080\r\n\r\n");
  EXPECT_EQ(PortalSignIn(*request, "127.0.0.1", &kKeys, SessionKeys::kDefaultLifetime, 11943).location,
            "/control.html?user=kim&server=tls%3A%2F%2Fchat.example%3A11943");
}

TEST(HttpPortal, WithATlsPortTheControlPageIsSentToItUnlessItHasATlsServer) {
  ManyRooms view;
  HttpSite site("/nonexistent", view);
  site.SetChatTlsPort(11943);
  const auto response = [&](const std::string& target) {
    return site.Respond("GET " + target + " HTTP/1.0\r\nHost: chat.example\r\n\r\n");
  };
  EXPECT_NE(response("/control.html?user=kim&server=127.0.0.1%3A11900")
                .find("\r\nLocation: /control.html?server=tls%3A%2F%2Fchat.example%3A11943&user=kim\r\n"),
            std::string::npos);
  EXPECT_EQ(response("/control.html?server=tls%3A%2F%2Fother%3A1").find("Location"), std::string::npos);
  site.SetChatTlsPort(0);
  EXPECT_EQ(response("/control.html?user=kim").find("Location"), std::string::npos);
}

TEST(PortalSignIn, DevelopmentModeHandsOutAPlainKey) {
  const SignIn s = PortalSignIn(HttpRequest{"GET", "/signin", "user=kim"}, "127.0.0.1", nullptr);
  EXPECT_EQ(s.status, 303);
  EXPECT_TRUE(s.cookie.starts_with("blvsession_eid=dev;"));
}

TEST(HttpRequest, QueryParametersAreDecoded) {
  EXPECT_EQ(QueryParameter("a=1&user=kim+lee%21&b", "user"), "kim lee!");
  EXPECT_EQ(QueryParameter("a=1&b", "b"), "");
  EXPECT_EQ(QueryParameter("a=1", "user"), std::nullopt);
  EXPECT_EQ(QueryParameter("user=%zz", "user"), std::nullopt);
}

}  // namespace
}  // namespace orvinta::server
