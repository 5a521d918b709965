// A second launch of the real client hands its room to the running instance.
#include <gtest/gtest.h>

#include <QProcess>
#include <QTemporaryDir>

#include "client/shell/hand_over.h"
#include "platform/qt/qt_single_instance.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

TEST(HandOver, SecondLaunchDeliversItsRoomByteExact) {
  QTemporaryDir runtime;
  ASSERT_TRUE(runtime.isValid());
  qputenv("XDG_RUNTIME_DIR", runtime.path().toUtf8());

  // This test stands in for the running client.
  platform::qt::QtSingleInstance running;
  std::vector<platform::CopyData> received;
  ASSERT_TRUE(running.Listen(shell::HandOverEndpoint("alice"),
                            [&](const platform::CopyData& m) { received.push_back(m); }));

  QProcess second;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("XDG_RUNTIME_DIR", runtime.path());
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  second.setProcessEnvironment(environment);
  second.start(ORVINTA_CLIENT_BINARY,
               {QString::fromUtf8("orvinta://TRUE\n127.0.0.1:1\nkey\nAlice\n앨리스\n1001\nroom&7\n방|제목\nFALSE\nBob\n밥\n")});
  ASSERT_TRUE(WaitFor([&] { return !received.empty(); }, 20000));
  ASSERT_TRUE(WaitFor([&] { return second.state() == QProcess::NotRunning; }, 10000));
  EXPECT_EQ(second.exitCode(), 0);

  EXPECT_EQ(received[0].dwData, 0x502u);
  // alice \n room&7 \n 방제목 \n bob \n 밥, in code page 949, with the terminating zero.
  const std::string expected("alice\nroom&7\n\xB9\xE6\xC1\xA6\xB8\xF1\nbob\n\xB9\xE4\0", 27);
  EXPECT_EQ(received[0].bytes, expected);
}

}  // namespace
}  // namespace orvinta::integration
