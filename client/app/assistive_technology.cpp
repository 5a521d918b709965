#include "client/app/assistive_technology.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QtGlobal>

namespace orvinta::app {
namespace {

constexpr int kBusAnswerMs = 500;

// One call, bounded: a proxy object would first introspect the bus without a
// limit, and this runs before the window shows.
bool StatusSays(QDBusConnection& bus, const char* property) {
  QDBusMessage get = QDBusMessage::createMethodCall(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                                                    QStringLiteral("org.freedesktop.DBus.Properties"),
                                                    QStringLiteral("Get"));
  get << QStringLiteral("org.a11y.Status") << QString::fromLatin1(property);
  const QDBusMessage reply = bus.call(get, QDBus::Block, kBusAnswerMs);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) return false;
  return reply.arguments().front().value<QDBusVariant>().variant().toBool();
}

}  // namespace

bool AssistiveTechnologyOn() {
  if (qEnvironmentVariableIntValue("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") != 0) return true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  return StatusSays(bus, "IsEnabled") || StatusSays(bus, "ScreenReaderEnabled");
}

void OpenPagesToAssistiveTechnology() {
  if (qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY")) return;
  if (AssistiveTechnologyOn()) qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

}  // namespace orvinta::app
