#include "client/app/assistive_technology.h"

#include <QDBusConnection>
#include <QDBusInterface>
#include <QDBusReply>
#include <QDBusVariant>
#include <QtGlobal>

namespace orvinta::app {
namespace {

constexpr int kBusAnswerMs = 500;

bool StatusSays(QDBusInterface& status, const char* property) {
  const QDBusReply<QDBusVariant> reply =
      status.call(QStringLiteral("Get"), QStringLiteral("org.a11y.Status"), QString::fromLatin1(property));
  return reply.isValid() && reply.value().variant().toBool();
}

}  // namespace

bool AssistiveTechnologyOn() {
  if (qEnvironmentVariableIntValue("QT_LINUX_ACCESSIBILITY_ALWAYS_ON") != 0) return true;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return false;
  QDBusInterface status(QStringLiteral("org.a11y.Bus"), QStringLiteral("/org/a11y/bus"),
                        QStringLiteral("org.freedesktop.DBus.Properties"), bus);
  status.setTimeout(kBusAnswerMs);
  return StatusSays(status, "IsEnabled") || StatusSays(status, "ScreenReaderEnabled");
}

void OpenPagesToAssistiveTechnology() {
  if (qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY")) return;
  if (AssistiveTechnologyOn()) qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
}

}  // namespace orvinta::app
