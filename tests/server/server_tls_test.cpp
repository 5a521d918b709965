// The real orvinta-server's TLS port: logins over TLS, none in clear text on
// it, and a certificate read again on SIGHUP without dropping anybody.
#include <signal.h>

#include <gtest/gtest.h>

#include <regex>

#include "tests/server/server_process.h"
#include "tests/server/test_ca.h"

namespace orvinta::server::testing {
namespace {

int TlsPort(ServerProcess& server) {
  std::smatch m;
  const std::string line = server.ReadLine();
  return std::regex_match(line, m, std::regex(R"(tls on 127\.0\.0\.1:([0-9]+))")) ? std::stoi(m[1]) : 0;
}

TEST(ServerTls, ServesTlsBesideClearTextAndTakesARenewedCertificate) {
  const orvinta::testing::TestCa ca = orvinta::testing::MakeTestCa();
  ASSERT_TRUE(ca.ok);
  ServerProcess server({"--tls-port", "0", "--tls-cert", ca.certFile, "--tls-key", ca.keyFile});
  const int tlsPort = TlsPort(server);
  ASSERT_NE(tlsPort, 0);

  TestClient secure(tlsPort, ca.caFile);
  ASSERT_TRUE(secure.Login("amy"));
  TestClient plain(server.Port());
  ASSERT_TRUE(plain.Login("ben"));
  secure.Send("CHIN", "amy/lobby");
  plain.Send("CHIN", "ben/lobby");
  ASSERT_TRUE(secure.NextOf("CHIN"));  // ben's entry, from the other port

  // Clear text on the TLS port is no login.
  TestClient cleartext(tlsPort);
  cleartext.Send("USER", "cleo/key/cleo/1");
  EXPECT_FALSE(cleartext.NextOf("USRP", 1000));
  EXPECT_TRUE(cleartext.WaitClosed());
  // Nor does a client that trusts another authority get in.
  EXPECT_FALSE(TestClient(tlsPort, ca.otherCaFile).Connected());

  ASSERT_EQ(kill(server.Pid(), SIGHUP), 0);
  TestClient later(tlsPort, ca.caFile);
  EXPECT_TRUE(later.Login("dan"));
  plain.Send("TALL", "ben/lobby/still here");
  const auto line = secure.NextOf("TALL");
  ASSERT_TRUE(line);
  EXPECT_EQ(line->body, "ben/lobby/still here");
}

TEST(ServerTls, RefusesToStartWithoutItsFiles) {
  const RunResult run = RunServerToEnd({"--port", "0", "--tls-port", "0", "--tls-cert", "/nonexistent.pem",
                                        "--tls-key", "/nonexistent.key"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errorOutput.find("/nonexistent.pem"), std::string::npos) << run.errorOutput;
}

}  // namespace
}  // namespace orvinta::server::testing
