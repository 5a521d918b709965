// The real orvinta-server over loopback sockets: start-up, login, keep-alive,
// duplicate logins, hostile peers, and shutdown.
#include <signal.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <random>
#include <regex>

#include "protocol/codec.h"
#include "tests/server/server_process.h"

namespace orvinta::server::testing {
namespace {

// Two members in one room who check that the server keeps serving them.
struct Pair {
  explicit Pair(int port) : a(port), b(port) {
    EXPECT_TRUE(a.Login("amy"));
    EXPECT_TRUE(b.Login("ben"));
    a.Send("CHIN", "amy/lobby");
    a.Send("ASIF", "amy/lobby");
    EXPECT_TRUE(a.NextOf("IFON"));  // amy is in
    b.Send("CHIN", "ben/lobby");
    EXPECT_TRUE(a.NextOf("CHIN"));  // and ben too
  }
  void ExpectServed(const std::string& text) {
    a.Send("TALL", "amy/lobby/" + text);
    const auto line = b.NextOf("TALL");
    ASSERT_TRUE(line) << text;
    EXPECT_EQ(line->body, "amy/lobby/" + text);
  }
  TestClient a;
  TestClient b;
};

TEST(ServerProcess, AnnouncesItsAddressAndAcceptsALogin) {
  ServerProcess server;
  EXPECT_TRUE(std::regex_match(server.FirstLine(), std::regex(R"(listening on 127\.0\.0\.1:[1-9][0-9]*)")))
      << server.FirstLine();
  TestClient client(server.Port());
  ASSERT_TRUE(client.Connected());
  client.Send("USER", "alice/key/앨리스/1001");
  const auto reply = client.Next();
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->command, "USRP");
  EXPECT_EQ(reply->body, "");
}

TEST(ServerProcess, PingsAndDropsTheClientThatDoesNotAnswer) {
  ServerProcess server({"--ping-interval", "1"});
  TestClient answers(server.Port());
  TestClient silent(server.Port());
  ASSERT_TRUE(answers.Login("amy"));
  ASSERT_TRUE(silent.Login("ben"));
  answers.Send("CHIN", "amy/lobby");
  answers.Send("ASIF", "amy/lobby");
  ASSERT_TRUE(answers.NextOf("IFON"));
  silent.Send("CHIN", "ben/lobby");

  ASSERT_TRUE(answers.NextOf("PING", 2500));
  answers.Send("PONG", "");
  // ben never answers: gone after two intervals, and amy hears that he left.
  EXPECT_TRUE(silent.WaitClosed(4000));
  const auto left = answers.NextOf("CHOT", 2000);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->body, "ben/lobby");
}

// A second login of an id: refused while the session holding it answers the
// server's ping, admitted in its place when that session has gone silent.
class SecondLoginTest : public ::testing::TestWithParam<bool> {};

TEST_P(SecondLoginTest, DependsOnTheHolderAnswering) {
  const bool holderAnswers = GetParam();
  ServerProcess server;
  Pair pair(server.Port());
  TestClient again(server.Port());
  again.Send("USER", "amy/key/amy/1");
  if (holderAnswers) {
    ASSERT_TRUE(pair.a.NextOf("PING"));
    pair.a.Send("PONG", "");
  }
  const auto reply = again.Next(12000);
  ASSERT_TRUE(reply);
  EXPECT_EQ(reply->command, holderAnswers ? "SYST" : "USRP");
  if (holderAnswers) {
    EXPECT_EQ(reply->body, "2/amy");
    EXPECT_TRUE(again.WaitClosed());
    pair.ExpectServed("still here");
    return;
  }
  const auto left = pair.b.NextOf("CHOT");
  ASSERT_TRUE(left);
  EXPECT_EQ(left->body, "amy/lobby");
  EXPECT_TRUE(pair.a.WaitClosed());
}

INSTANTIATE_TEST_SUITE_P(Server, SecondLoginTest, ::testing::Values(true, false),
                         [](const auto& info) { return info.param ? "HolderAnswers" : "HolderIsSilent"; });

std::string RandomBytes(std::size_t n) {
  std::mt19937 random(7);
  std::string bytes(n, '\0');
  for (char& c : bytes) c = static_cast<char>(random());
  return bytes;
}

std::string Repeated(const std::string& piece, int times) {
  std::string out;
  for (int i = 0; i < times; ++i) out += piece;
  return out;
}

std::string BadChecksumFrame() {
  std::string frame = protocol::EncodeMessage(protocol::MakeMessage("TALL", "ben/lobby/hi"));
  frame.back() = frame.back() == '0' ? '1' : '0';
  return frame;
}

struct Hostile {
  const char* name;
  std::string bytes;
  bool logsInFirst;
};
void PrintTo(const Hostile& c, std::ostream* os) { *os << c.name; }

class HostilePeerTest : public ::testing::TestWithParam<Hostile> {};

TEST_P(HostilePeerTest, IsClosedWhileOthersAreServed) {
  ServerProcess server({"--login-timeout", "1"});
  Pair pair(server.Port());
  TestClient peer(server.Port());
  if (GetParam().logsInFirst) {
    ASSERT_TRUE(peer.Login("zed"));
  }
  peer.SendRaw(GetParam().bytes);
  pair.ExpectServed("during");
  EXPECT_TRUE(peer.WaitClosed(3000));
  pair.ExpectServed("after");
}

INSTANTIATE_TEST_SUITE_P(
    Server, HostilePeerTest,
    ::testing::Values(Hostile{"RandomBytes", RandomBytes(8000), false},
                      Hostile{"RandomBytesAfterLogin", RandomBytes(8000), true},
                      Hostile{"NonDigitLengths", Repeated("PING00x0", 10), true},
                      Hostile{"NonHexBodies", Repeated("TALL0004zzzz", 10), true},
                      Hostile{"BadChecksums", Repeated(BadChecksumFrame(), 10), true},
                      Hostile{"OnlyPongsAndUnknownCommands", Repeated("PONG0000ZZZZ0000", 100), true},
                      // Silent peers are dropped by the login timeout.
                      Hostile{"HalfAFrame", "USER00", false}, Hostile{"SaysNothing", "", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ServerProcess, PeerThatNeverReadsIsDroppedInsteadOfBuffered) {
  // A room this busy is allowed here, so that only zed's own slowness counts.
  ServerProcess server({"--rate", "talk=100000/100000"});
  Pair pair(server.Port());
  TestClient stuck(server.Port());
  ASSERT_TRUE(stuck.Login("zed"));
  stuck.Send("CHIN", "zed/lobby");
  ASSERT_TRUE(pair.a.NextOf("CHIN"));
  // Long lines into the room until the server gives up on zed.
  const std::string line = "amy/lobby/" + std::string(980, 'x');
  bool dropped = false;
  for (int i = 0; i < 40000 && !dropped; ++i) {
    pair.a.Send("TALL", line);
    if (i % 50 == 49) {
      while (auto f = pair.a.Next(i < 30000 ? 1 : 50)) {
        if (f->command == "CHOT" && f->body == "zed/lobby") dropped = true;
      }
    }
  }
  EXPECT_TRUE(dropped);
}

TEST(ServerProcess, FlooderIsCutOffWhileItsReadersStay) {
  ServerProcess server;
  Pair pair(server.Port());
  TestClient flooder(server.Port());
  ASSERT_TRUE(flooder.Login("max"));
  flooder.Send("CHIN", "max/lobby");
  ASSERT_TRUE(pair.b.NextOf("CHIN"));
  const std::string line = "max/lobby/" + std::string(990, 'x');
  for (int i = 0; i < 2000; ++i) flooder.Send("TALL", line);
  EXPECT_TRUE(flooder.WaitClosed(3000));
  const auto left = pair.b.NextOf("CHOT", 3000);
  ASSERT_TRUE(left);
  EXPECT_EQ(left->body, "max/lobby");
  pair.ExpectServed("still here");
}

TEST(ServerProcess, ReconnectingDoesNotRefillAnIdsAllowance) {
  ServerProcess server({"--rate", "talk=0.001/20"});  // the burst is all there is
  Pair pair(server.Port());
  for (int round = 0; round < 3; ++round) {
    TestClient max(server.Port());
    ASSERT_TRUE(max.Login("max"));
    max.Send("CHIN", "max/lobby");
    for (int i = 0; i < 15; ++i) max.Send("TALL", "max/lobby/line");
    max.Send("ASIF", "max/lobby");
    ASSERT_TRUE(max.NextOf("IFON"));  // its lines have been handled
  }
  pair.a.Send("TALL", "amy/lobby/end");
  int heard = 0;
  for (auto line = pair.b.NextOf("TALL"); line && line->body != "amy/lobby/end"; line = pair.b.NextOf("TALL")) {
    heard += line->body == "max/lobby/line";
  }
  EXPECT_EQ(heard, 20);
}

TEST(ServerProcess, AReconnectStormCostsTheLogAFewLines) {
  const std::string logFile = "/tmp/orvinta-test-log-" + std::to_string(getpid());
  {
    ServerProcess server({}, logFile);
    for (int i = 0; i < 300; ++i) {
      TestClient storm(server.Port());
      ASSERT_TRUE(storm.Login("s" + std::to_string(i)));
    }
    TestClient last(server.Port());
    ASSERT_TRUE(last.Login("last"));
    server.StopWith(SIGTERM);
  }
  std::ifstream in(logFile);
  int lines = 0;
  for (std::string line; std::getline(in, line);) ++lines;
  std::remove(logFile.c_str());
  EXPECT_LT(lines, 300) << "one connect, login and disconnect line each would be 900";
}

TEST(ServerProcess, StopsCleanlyOnSigterm) {
  auto server = std::make_unique<ServerProcess>();
  Pair pair(server->Port());
  const auto status = server->StopWith(SIGTERM);
  ASSERT_TRUE(status) << "did not stop in time";
  EXPECT_TRUE(WIFEXITED(*status));
  EXPECT_EQ(WEXITSTATUS(*status), 0);
  EXPECT_TRUE(pair.a.WaitClosed(1000));
}

TEST(ServerProcess, HttpSideListsLiveRoomsAndBoundsRequests) {
  ServerProcess server({"--http-port", "0"});
  const std::string second = server.ReadLine();
  ASSERT_TRUE(std::regex_match(second, std::regex(R"(http on 127\.0\.0\.1:[1-9][0-9]*)"))) << second;
  const int httpPort = std::atoi(second.c_str() + second.rfind(':') + 1);
  Pair pair(server.Port());

  // A client that opens an HTTP connection and says nothing holds up nobody.
  TestClient idle(httpPort);
  TestClient get(httpPort);
  get.SendRaw("GET /rooms.json HTTP/1.0\r\n\r\n");
  const std::string response = get.ReadToEnd();
  EXPECT_TRUE(response.starts_with("HTTP/1.0 200 OK\r\n")) << response;
  EXPECT_TRUE(response.ends_with(R"({"total":1,"offset":0,"rooms":[{"key":"lobby","title":"","members":2}]})")) << response;
  pair.ExpectServed("while http waits");

  TestClient huge(httpPort);
  huge.SendRaw("GET /" + std::string(10000, 'a'));
  EXPECT_TRUE(huge.ReadToEnd().starts_with("HTTP/1.0 431 "));
}

TEST(ServerProcess, HttpOverItsCapAnswers503AndIdleSocketsGoSoon) {
  ServerProcess server({"--http-port", "0", "--cap-loopback", "--max-http-per-address", "2"});
  const std::string second = server.ReadLine();
  const int httpPort = std::atoi(second.c_str() + second.rfind(':') + 1);
  auto idle1 = std::make_unique<TestClient>(httpPort);
  auto idle2 = std::make_unique<TestClient>(httpPort);
  TestClient turnedAway(httpPort);
  turnedAway.SendRaw("GET /rooms.json HTTP/1.0\r\n\r\n");
  const std::string busy = turnedAway.ReadToEnd();
  EXPECT_TRUE(busy.starts_with("HTTP/1.0 503 Service Unavailable\r\n")) << busy;
  EXPECT_NE(busy.find("Retry-After: 5\r\n"), std::string::npos);
  // Sockets that never start a request are closed after a short wait.
  EXPECT_TRUE(idle1->WaitClosed(3500));
  EXPECT_TRUE(idle2->WaitClosed(500));
  TestClient later(httpPort);
  later.SendRaw("GET /rooms.json HTTP/1.0\r\n\r\n");
  EXPECT_TRUE(later.ReadToEnd().starts_with("HTTP/1.0 200 OK\r\n"));
}

class SecretFile {
 public:
  SecretFile() : path_("/tmp/orvinta-test-secret-" + std::to_string(getpid())) {
    FILE* f = std::fopen(path_.c_str(), "w");
    std::fputs("a secret only this test knows\n", f);
    std::fclose(f);
  }
  ~SecretFile() { std::remove(path_.c_str()); }
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

TEST(ServerProcess, WithASecretOnlySignedKeysLogIn) {
  SecretFile secret;
  const RunResult signing = RunServerToEnd({"--sign-key", "amy", "--auth-secret", secret.Path()});
  ASSERT_EQ(signing.exitCode, 0) << signing.errorOutput;
  const std::string key = signing.errorOutput.substr(0, signing.errorOutput.find('\n'));
  ASSERT_TRUE(std::regex_match(key, std::regex("[0-9]+\\.[0-9a-f]{64}"))) << key;

  ServerProcess server({"--auth-secret", secret.Path()});
  TestClient amy(server.Port());
  amy.Send("USER", "amy/" + key + "/amy/1");
  EXPECT_TRUE(amy.NextOf("USRP"));
  TestClient impostor(server.Port());
  impostor.Send("USER", "ben/" + key + "/ben/1");
  const auto refusal = impostor.NextOf("SYST");
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->body, "3/ben");
  EXPECT_TRUE(impostor.WaitClosed());
}

TEST(ServerProcess, WithASecretTheSignInIsOffUnlessAskedFor) {
  SecretFile secret;
  for (const bool dev : {false, true}) {
    std::vector<std::string> args = {"--auth-secret", secret.Path(), "--http-port", "0"};
    if (dev) args.push_back("--dev-signin");
    ServerProcess server(args);
    const std::string second = server.ReadLine();
    TestClient get(std::atoi(second.c_str() + second.rfind(':') + 1));
    get.SendRaw("GET /signin?user=amy HTTP/1.0\r\n\r\n");
    EXPECT_TRUE(get.ReadToEnd().starts_with(dev ? "HTTP/1.0 303 " : "HTTP/1.0 404 ")) << dev;
  }
}

TEST(ServerProcess, UnreadableSecretStopsTheStart) {
  const RunResult result = RunServerToEnd({"--port", "0", "--auth-secret", "/nonexistent/secret"});
  EXPECT_EQ(result.exitCode, 1);
  EXPECT_NE(result.errorOutput.find("cannot read the secret file"), std::string::npos) << result.errorOutput;
}

TEST(ServerProcess, BadArgumentsExitWithCode2AndSayWhy) {
  const RunResult result = RunServerToEnd({"--port", "http"});
  EXPECT_EQ(result.exitCode, 2);
  EXPECT_NE(result.errorOutput.find("--port"), std::string::npos) << result.errorOutput;
}

}  // namespace
}  // namespace orvinta::server::testing
