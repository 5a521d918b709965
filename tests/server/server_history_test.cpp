// The real server with --history-db: the history is written behind and
// survives a restart, a clean one and a kill.
#include <signal.h>
#include <stdlib.h>

#include <gtest/gtest.h>

#include <filesystem>

#include "protocol/history_frames.h"
#include "tests/server/server_process.h"

namespace orvinta::server::testing {
namespace {

namespace history = protocol::history;

// The latest lines of the room as a member who asked for history reads them.
std::vector<history::StampedLine> Latest(int port, const std::string& id) {
  TestClient c(port);
  EXPECT_TRUE(c.Login(id));
  c.Send("HIST", "1");
  c.Send("CHIN", id + "/lobby");
  c.Send("HREQ", history::RequestBody(id, {"lobby", 1, history::Mode::kLatest, 0, 50}));
  std::vector<history::StampedLine> lines;
  while (const auto f = c.Next()) {
    if (f->command == "HLIN") lines.push_back(history::ParseAnswerLine(f->body)->line);
    if (f->command == "HEND") break;
  }
  return lines;
}

void Say(int port, const std::vector<std::string>& texts) {
  TestClient c(port);
  ASSERT_TRUE(c.Login("amy"));
  c.Send("HIST", "1");
  c.Send("CHIN", "amy/lobby");
  for (const std::string& text : texts) {
    c.Send("TALL", "amy/lobby/" + text);
    ASSERT_TRUE(c.NextOf("HSNT")) << text;
  }
}

TEST(ServerHistory, SurvivesARestartAndAKill) {
  char dir[] = "/tmp/orvinta-history-XXXXXX";
  ASSERT_TRUE(mkdtemp(dir));
  const std::vector<std::string> args{"--history-db", std::string(dir) + "/history.db"};
  std::vector<history::StampedLine> before;
  {
    ServerProcess server(args);
    Say(server.Port(), {"one", "two", "three"});
    usleep(400'000);  // a batch goes within 100 ms
    before = Latest(server.Port(), "ben");
    ASSERT_EQ(before.size(), 3u);
    kill(server.Pid(), SIGKILL);
  }
  {
    ServerProcess server(args);
    EXPECT_EQ(Latest(server.Port(), "cat"), before) << "the same ids, times and texts";
    Say(server.Port(), {"four"});
    EXPECT_EQ(server.StopWith(SIGTERM), 0);
  }
  ServerProcess server(args);
  const auto last = Latest(server.Port(), "dan");
  ASSERT_EQ(last.size(), 4u);
  EXPECT_EQ(last[3].text, "four");
  EXPECT_EQ(last[3].id, before[2].id + 1) << "ids go on where they were";
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace orvinta::server::testing
