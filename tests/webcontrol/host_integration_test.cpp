// quendel-host with a real page: the control made from the page's OBJECT
// element, its events delivered to the page's handlers, and the chat client
// (a stand-in script) started with the launch text.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "tests/webcontrol/integration_support.h"

namespace orvinta::quendel::integration {
namespace {

constexpr char kPage[] = R"PAGE(<!DOCTYPE html>
<html><head><meta charset="utf-8"><title>loading</title></head><body>
<object id="Quendel1" classid="clsid:B37AD72D-34EA-45F8-A016-10814DC97CAB" width="320" height="120">
  <param name="AutoConnect" value="TRUE">
  <param name="ServerAddr" value="@SERVER@">
  <param name="UserSession" value=" sess ">
  <param name="UserID" value="kim">
  <param name="UserNick" value="철수">
  <param name="UserIcon" value="1234abc">
  <param name="Debug" value="true">
</object>
<object id="Unknown1" classid="clsid:00000000-0000-0000-0000-000000000000"></object>
<pre id="log"></pre>
<script>
function log(text) { document.getElementById('log').textContent += text + '\n'; }
</script>
<script for="Quendel1" event="onreadystatechange">log('ready ' + (typeof Unknown1.ReqRoomInfo));</script>
<script for="Quendel1" event="ResConnectServer(sResult)">
  log('ResConnectServer ' + sResult);
  if (sResult == 'true') { Quendel1.ReqRoomUserCount('room1'); Quendel1.ReqRoomInfo('room1'); }
</script>
<script for="Quendel1" event="ResRoomUserCount(sRoomID, sUserCount)">log('ResRoomUserCount ' + sRoomID);</script>
<script for="Quendel1" event="ResRoomInfo(sRoomID, sUserID)">log('ResRoomInfo ' + sRoomID + ' ' + sUserID);</script>
<script for="Quendel1" event="ResUserInfo">
  log('ResUserInfo ' + sUserD + ' ' + sUserNick + ' ' + sIconURL.split('/').pop());
  Promise.all([Quendel1.EnterRoom('room1', '방 하나', 'true'), Quendel1.EnterPrivateRoom(' Lee ', sUserNick, 'TRUE'),
               Quendel1.EnterRoom('too few')])
    .then(codes => { log('codes ' + codes.join(',')); document.title = 'done'; });
</script>
</body></html>
)PAGE";

constexpr char kStandIn[] = "#!/bin/sh\nprintf '%s' \"$1\" > \"$STANDIN_OUT/arg.$$.tmp\" && mv \"$STANDIN_OUT/arg.$$.tmp\" \"$STANDIN_OUT/arg.$$\"\n";

QString ReadText(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

void WriteText(const QString& path, const QString& text) {
  QFile file(path);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write(text.toUtf8());
}

TEST(QuendelHost, PageGetsItsEventsAndStartsTheClientIntoTheRooms) {
  ServerProcess server;
  ASSERT_TRUE(server.started());
  Member lee("lee", "영희", "1234", server.address());
  ASSERT_TRUE(lee.Enter("room1"));

  RegistryScope registry;
  QTemporaryDir dir;
  const QString page = dir.filePath("page.html");
  WriteText(page, QString::fromUtf8(kPage).replace("@SERVER@", QString::fromStdString(server.address())));
  const QString standIn = dir.filePath("orvinta");
  WriteText(standIn, kStandIn);
  QFile::setPermissions(standIn, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
  const QString dump = dir.filePath("dump.txt");

  QProcess host;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert("QT_QPA_PLATFORM", "offscreen");
  environment.insert("QTWEBENGINE_DISABLE_SANDBOX", "1");
  environment.insert("QTWEBENGINE_CHROMIUM_FLAGS", "--disable-gpu");
  environment.insert("QUENDEL_CLIENT_DIR", dir.path());
  environment.insert("STANDIN_OUT", dir.path());
  environment.insert("ORVINTA_COMPONENT_REGISTRY", QString::fromStdString(registry.path()));
  host.setProcessEnvironment(environment);
  host.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  host.start(QUENDEL_HOST_BINARY, {"--register", "--cookie", "blvsession_eid=TOKEN", "--dump-when-title", "done",
                                   "--dump-file", dump, "--timeout-ms", "60000", page});
  // The member's session needs the event loop while the host runs.
  ASSERT_TRUE(WaitFor([&] { return host.state() == QProcess::NotRunning; }, 90000));
  ASSERT_EQ(host.exitCode(), 0);

  EXPECT_EQ(ReadText(dump).trimmed(), QString::fromUtf8("ready undefined\n"
                                                        "ResConnectServer true\n"
                                                        "ResRoomInfo room1 lee\n"
                                                        "ResUserInfo lee 영희 s_1234.gif\n"
                                                        "codes 0,0,-2147352562"));

  QStringList arguments;
  ASSERT_TRUE(WaitFor([&] {
    arguments.clear();
    for (const QString& name : QDir(dir.path()).entryList({"arg.*"}, QDir::Files)) {
      if (!name.endsWith(".tmp")) arguments << ReadText(dir.filePath(name));
    }
    return arguments.size() == 2;
  }, 10000));
  arguments.sort();
  const QString common = "TRUE\n" + QString::fromStdString(server.address()) + QString::fromUtf8("\nsess\nkim\n철수\n1234\n");
  EXPECT_EQ(arguments[0], common + QString::fromUtf8("Pchatkim^lee\n영희님과의 1:1 대화방입니다\nTRUE\nlee\n영희\nTOKEN"));
  EXPECT_EQ(arguments[1], common + QString::fromUtf8("room1\n방 하나\nTRUE\n\n\nTOKEN"));
}

}  // namespace
}  // namespace orvinta::quendel::integration
