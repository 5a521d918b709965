// Desktop notifications against a notification service of our own on a
// private session bus (run under dbus-run-session): what Notify carries, a
// burst replacing its notice, and a click or a close coming back.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDBusConnection>
#include <QDBusMessage>
#include <QSignalSpy>
#include <QTest>
#include <QVariantMap>

#include "client/components/desktop/dbus_notifications.h"

namespace orvinta::components {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");

struct NotifyCall {
  QString app;
  uint replaces;
  QString summary, body;
  QStringList actions;
  QVariantMap hints;
};

// The service side, on a connection of its own so that calls really travel the bus.
class FakeNotificationService : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  explicit FakeNotificationService(QStringList capabilities) : capabilities_(std::move(capabilities)) {}
  bool Register() {
    return bus_.isConnected() && bus_.registerObject(kPath, this, QDBusConnection::ExportAllSlots) &&
           bus_.registerService(kService);
  }
  ~FakeNotificationService() override { QDBusConnection::disconnectFromBus(bus_.name()); }
  void Emit(const char* name, uint id, const QVariant& second) {
    QDBusMessage signal = QDBusMessage::createSignal(kPath, kService, QString::fromLatin1(name));
    signal << id << second;
    bus_.send(signal);
  }
  std::vector<NotifyCall> calls;
  std::vector<uint> closed;

 public slots:
  uint Notify(const QString& app, uint replaces, const QString& /*icon*/, const QString& summary,
              const QString& body, const QStringList& actions, const QVariantMap& hints, int /*timeout*/) {
    calls.push_back({app, replaces, summary, body, actions, hints});
    return replaces ? replaces : 40 + static_cast<uint>(calls.size());
  }
  void CloseNotification(uint id) { closed.push_back(id); }
  QStringList GetCapabilities() { return capabilities_; }
  QString GetServerInformation(QString& vendor, QString& version, QString& specVersion) {
    vendor = QStringLiteral("orvinta-tests");
    version = QStringLiteral("1");
    specVersion = QStringLiteral("1.2");
    return QStringLiteral("fake");
  }

 private:
  QDBusConnection bus_ = QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("fake-service"));
  QStringList capabilities_;
};

class DesktopNotificationsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!QDBusConnection::sessionBus().isConnected()) GTEST_SKIP() << "no session bus (run under dbus-run-session)";
  }
  // The adapter, once it has asked the service what it can do.
  std::unique_ptr<DBusNotifications> Checked() {
    auto notifications = std::make_unique<DBusNotifications>();
    QSignalSpy checked(notifications.get(), &DBusNotifications::serviceChecked);
    EXPECT_TRUE(checked.wait(5000));
    return notifications;
  }
};

TEST_F(DesktopNotificationsTest, NotifiesReplacesAndHearsClicksAndCloses) {
  FakeNotificationService service({QStringLiteral("body"), QStringLiteral("body-markup"), QStringLiteral("actions")});
  ASSERT_TRUE(service.Register()) << "another notification service holds the name";
  auto notifications = Checked();
  ASSERT_TRUE(notifications->ServicePresent());
  std::vector<platform::NotificationId> clicked, closed;
  notifications->SetHandlers([&](platform::NotificationId id) { clicked.push_back(id); },
                             [&](platform::NotificationId id) { closed.push_back(id); });

  // "로비" and "밥: <b>앨리스</b> & 봐" in code page 949.
  const std::string title = "\xB7\xCE\xBA\xF1";
  const std::string body = "\xB9\xE4: <b>\xBE\xD9\xB8\xAE\xBD\xBA</b> & \xBA\xC1";
  const platform::NotificationId id = notifications->Notify({title, body, 0});
  ASSERT_NE(id, 0u);
  // A second line of the burst before the service has answered the first.
  EXPECT_EQ(notifications->Notify({title, "\xB9\xE4: 2", id}), id);
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 2; }, 5000));
  const NotifyCall& first = service.calls[0];
  EXPECT_EQ(first.app, QStringLiteral("Orvinta"));
  EXPECT_EQ(first.replaces, 0u);
  EXPECT_EQ(first.summary, QStringLiteral("로비"));
  EXPECT_EQ(first.body, QStringLiteral("밥: &lt;b&gt;앨리스&lt;/b&gt; &amp; 봐"));  // the service reads markup
  EXPECT_EQ(first.actions.value(0), QStringLiteral("default"));
  EXPECT_EQ(first.hints.value(QStringLiteral("desktop-entry")).toString(), QStringLiteral("net.belvo.Orvinta"));
  EXPECT_EQ(service.calls[1].replaces, 41u);  // the service's id of the first
  // A flood into one notification: one call in flight, the newest text last.
  for (int i = 0; i < 50; ++i) notifications->Notify({title, "n" + std::to_string(i), id});
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.back().body == QStringLiteral("n49"); }, 5000));
  EXPECT_LE(service.calls.size(), 4u);

  service.Emit("ActionInvoked", 41, QStringLiteral("other"));  // an action that is not the click
  service.Emit("ActionInvoked", 99, QStringLiteral("default"));  // not ours
  service.Emit("ActionInvoked", 41, QStringLiteral("default"));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !clicked.empty(); }, 5000));
  EXPECT_EQ(clicked, std::vector<platform::NotificationId>{id});

  service.Emit("NotificationClosed", 41, 2u);
  ASSERT_TRUE(QTest::qWaitFor([&] { return !closed.empty(); }, 5000));
  EXPECT_EQ(closed, std::vector<platform::NotificationId>{id});

  // Closed by the program before the service has named it: closed once it has.
  notifications->Close(notifications->Notify({title, "x", 0}));
  ASSERT_TRUE(QTest::qWaitFor([&] { return !service.closed.empty(); }, 5000));
  EXPECT_EQ(service.closed, std::vector<uint>{40 + static_cast<uint>(service.calls.size())});
}

TEST_F(DesktopNotificationsTest, APlainTextServiceGetsTheTextAsItIs) {
  FakeNotificationService service({QStringLiteral("body"), QStringLiteral("actions")});
  ASSERT_TRUE(service.Register());
  auto notifications = Checked();
  notifications->Notify({"t", "a <b> & c", 0});
  ASSERT_TRUE(QTest::qWaitFor([&] { return service.calls.size() == 1; }, 5000));
  EXPECT_EQ(service.calls[0].body, QStringLiteral("a <b> & c"));
}

TEST_F(DesktopNotificationsTest, WithoutAServiceNothingIsShown) {
  auto notifications = Checked();
  EXPECT_FALSE(notifications->ServicePresent());
  EXPECT_EQ(notifications->Notify({"t", "b", 0}), 0u);
}

}  // namespace
}  // namespace orvinta::components

int main(int argc, char** argv) {
  QCoreApplication application(argc, argv);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}

#include "desktop_notifications_test.moc"
