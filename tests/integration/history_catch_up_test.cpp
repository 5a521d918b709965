// The real client cut off by a dead network, long enough for the server to
// let it go, while another member talks: back, it shows the lines it missed
// once each, in order, before its "back" notice, and its room log holds them.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "bench/soak/cutting_proxy.h"
#include "bench/soak/frame_watch.h"
#include "bench/soak/logged_client.h"
#include "bench/soak/room_talkers.h"
#include "protocol/wire_commands.h"
#include "tests/integration/server_process.h"

namespace orvinta::integration {
namespace {

using Numbered = std::vector<std::pair<int, long long>>;

TEST(HistoryCatchUp, LinesSaidWhileCutOffComeBackOnceInOrderBeforeTheBackNotice) {
  // A ping a second: the server drops a silent member after 2 s.
  ServerProcess server({"--http-port", "0", "--ping-interval", "1"});
  ASSERT_TRUE(server.started());
  bench::FrameWatch watch;
  bench::CuttingProxy proxy("127.0.0.1", server.port(), watch.Tap());
  ASSERT_TRUE(proxy.Start());
  QTemporaryDir scratch;
  bench::LoggedClient client(scratch.path(), proxy.Port(), QStringLiteral("http://127.0.0.1:%1/").arg(server.httpPort()),
                             QStringLiteral("catchup"), QStringLiteral("alice"));
  ASSERT_TRUE(client.Process().WaitForReply("state", "current=#catchup").contains("loggedin=1"));
  bench::RoomTalkers bob(server.port(), "catchup", 1);
  ASSERT_TRUE(bob.Enter(10000));
  const auto talkFor = [&](int ms) { WaitFor([&] { return bob.Pump(10), false; }, ms); };
  const auto logged = [&](std::size_t lines) {
    return WaitFor([&] { return bob.Pump(10), client.LoggedLines().size() >= lines; }, 20000);
  };
  bob.SayNow(1);
  ASSERT_TRUE(logged(1)) << client.LogText().toStdString();
  ASSERT_GT(watch.FromClient(wire::kHistoryHello).count, 0) << "the client never said it understands history";

  proxy.GoDead(5000);
  talkFor(500);
  bob.SayNow(5);  // relayed into the dead connection
  talkFor(2500);
  bob.SayNow(5);  // said after the server let the client go
  WaitFor([&] { return bob.Pump(10), !proxy.Dead(); }, 10000);
  ASSERT_TRUE(WaitFor([&] { return bob.Pump(10), !client.BackNoticesAfter().empty(); }, 30000))
      << client.LogText().toStdString();
  logged(11);
  talkFor(1500);  // anything repeated would be logged by now: what came is checked whole

  Numbered expected;
  for (long long n = 1; n <= 11; ++n) expected.push_back({1, n});
  EXPECT_EQ(client.LoggedLines(), expected) << client.LogText().toStdString();
  EXPECT_EQ(client.BackNoticesAfter(), std::vector<std::size_t>{11}) << client.LogText().toStdString();
}

}  // namespace
}  // namespace orvinta::integration
