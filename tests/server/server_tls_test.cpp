// The real orvinta-server's TLS port: logins over TLS, none in clear text on
// it, and a renewed certificate read again on SIGHUP without dropping anybody.
#include <signal.h>

#include <gtest/gtest.h>

#include "tests/server/server_process.h"
#include "tests/server/test_ca.h"

namespace orvinta::server::testing {
namespace {

TEST(ServerTls, ServesTlsBesideClearTextAndTakesARenewedCertificate) {
  const orvinta::testing::TestCa ca = orvinta::testing::MakeTestCa();
  ServerProcess server({"--tls-port", "0", "--tls-cert", ca.certFile, "--tls-key", ca.keyFile});
  const std::string tlsLine = server.ReadLine();
  ASSERT_TRUE(ca.ok && tlsLine.starts_with("tls on 127.0.0.1:")) << tlsLine;
  const int tlsPort = std::stoi(tlsLine.substr(17));

  TestClient secure(tlsPort, ca.caFile);
  ASSERT_TRUE(secure.Login("amy"));
  TestClient plain(server.Port());
  ASSERT_TRUE(plain.Login("ben"));
  secure.Send("CHIN", "amy/lobby");
  secure.Send("ASIF", "amy/lobby");
  ASSERT_TRUE(secure.NextOf("IFON"));  // amy is in before ben comes
  plain.Send("CHIN", "ben/lobby");
  ASSERT_TRUE(secure.NextOf("CHIN"));  // ben's entry, from the other port

  // Clear text on the TLS port is no login.
  TestClient cleartext(tlsPort);
  cleartext.Send("USER", "cleo/key/cleo/1");
  EXPECT_FALSE(cleartext.NextOf("USRP", 1000));
  EXPECT_TRUE(cleartext.WaitClosed());

  const std::string before = secure.PeerCertificate();
  ASSERT_TRUE(RenewServerCertificate(ca));
  ASSERT_EQ(kill(server.Pid(), SIGHUP), 0);
  // The signal is handled before this line, which comes after it.
  plain.Send("TALL", "ben/lobby/still here");
  EXPECT_EQ(secure.NextOf("TALL").value_or(protocol::Frame{}).body, "ben/lobby/still here");
  TestClient later(tlsPort, ca.caFile);
  EXPECT_TRUE(later.Login("dan"));
  EXPECT_FALSE(before.empty());
  EXPECT_NE(later.PeerCertificate(), before) << "the renewed certificate is served";
}

TEST(ServerTls, RefusesToStartWithoutItsFiles) {
  const RunResult run = RunServerToEnd({"--port", "0", "--tls-port", "0", "--tls-cert", "/nonexistent.pem",
                                        "--tls-key", "/nonexistent.key"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_NE(run.errorOutput.find("/nonexistent.pem"), std::string::npos) << run.errorOutput;
}

}  // namespace
}  // namespace orvinta::server::testing
