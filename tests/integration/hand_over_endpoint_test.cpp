// The running client's local endpoint takes only the launch hand-over from
// other processes: popup answers never come through it.
#include <gtest/gtest.h>

#include <QLocalSocket>
#include <QTemporaryDir>
#include <vector>

#include "platform/qt/qt_single_instance.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

constexpr std::string_view kEndpoint = "orvinta-endpoint-test";

// Sends one message as a second launch would; true when the receipt came back.
bool Deliver(const platform::CopyData& message) {
  QLocalSocket sender;
  sender.connectToServer(platform::qt::QtSingleInstance::SocketPath(kEndpoint));
  if (!sender.waitForConnected(3000)) return false;
  sender.write(platform::qt::EncodeCopyData(message));
  QByteArray receipt;
  WaitFor([&] {
    receipt += sender.readAll();
    return sender.state() == QLocalSocket::UnconnectedState;
  });
  return receipt == "\x01";
}

TEST(HandOverEndpoint, RefusesEverythingButTheHandOver) {
  QTemporaryDir runtime;
  ASSERT_TRUE(runtime.isValid());
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());
  platform::qt::QtSingleInstance running;
  std::vector<platform::CopyData> received;
  ASSERT_TRUE(running.Listen(kEndpoint, [&](const platform::CopyData& m) { received.push_back(m); }));

  for (std::uint32_t id : {0x505u, 0x506u, 0x501u}) {
    EXPECT_FALSE(Deliver({id, std::string("TRUE|bob|bob|alice|alice|#room\0", 31)})) << id;
  }
  EXPECT_TRUE(received.empty());

  const platform::CopyData handOver{platform::kHandOverId, std::string("alice\nroom\n\n\n\0", 15)};
  EXPECT_TRUE(Deliver(handOver));
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].bytes, handOver.bytes);
}

}  // namespace
}  // namespace orvinta::integration
