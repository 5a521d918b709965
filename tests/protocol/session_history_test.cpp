// A server that does not offer history sees today's frames after "HIST"; one that does is asked for lines.
#include "tests/protocol/session_fixture.h"

namespace orvinta::protocol {
namespace {

using Frames = std::vector<std::string>;

// Frames ("CMND:body") after the login reply: none, an old server's answer to what came after "HIST", an offer of
// nothing, an offer and an answer; the frames sent after "USER"; the lines shown on entry.
struct Server { Frames replies, sent; std::vector<EarlierLine> shown; };
class HistoryServerTest : public SessionTest, public ::testing::WithParamInterface<Server> {};

TEST_P(HistoryServerTest, AsksOnlyWhatTheServerOffered) {
  settings.AutoEnter = true;
  settings.RoomKey = "room";
  settings.RoomTitle = "t";
  ConnectAndLogin();
  ReceiveFrame("USRP", "");
  for (const std::string& reply : GetParam().replies) ReceiveFrame(reply.substr(0, 4), reply.substr(5));
  session.SendChatIn("other");
  session.RequestOlderLines("#room");
  session.SendToAll("#room", "hi");
  ReceiveFrame("TALL", "bob/room/hello");
  EXPECT_EQ(SentFrames(), GetParam().sent);
  EXPECT_TRUE(window.Called("AddMessage(#room,bob,hello)"));
  EXPECT_EQ(window.lastLines, GetParam().shown);
}

const Frames kToday = {"HIST:1", "CHIN:alice/room", "CHIN:alice/other", "TALL:alice/room/hi"};
INSTANTIATE_TEST_SUITE_P(Servers, HistoryServerTest, ::testing::Values(
    Server{{}, kToday, {}}, Server{{"IFON:bob/room/밥/1/0"}, kToday, {}}, Server{{"HIST:1/0/7/200"}, kToday, {}},
    Server{{"HIST:1/1000/7/200", "HLIN:1/5/5000/bob/room/a/b", "HEND:room/1/E/1/0"},
           {"HIST:1", "CHIN:alice/room", "HREQ:alice/room/1/L/0/50", "CHIN:alice/other", "HREQ:alice/other/2/L/0/50",
            "TALL:alice/room/hi"},
           {{5, 5000, "bob", "a/b"}}}));

}  // namespace
}  // namespace orvinta::protocol
