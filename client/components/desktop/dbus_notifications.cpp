#include "client/components/desktop/dbus_notifications.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QVariantMap>

#include "platform/qt/qt_text.h"
#include "protocol/guarded.h"

namespace orvinta::components {
namespace {

const QString kService = QStringLiteral("org.freedesktop.Notifications");
const QString kPath = QStringLiteral("/org/freedesktop/Notifications");
const QString kInterface = QStringLiteral("org.freedesktop.Notifications");
const QString kDefaultAction = QStringLiteral("default");

QDBusMessage Call(const QString& method) { return QDBusMessage::createMethodCall(kService, kPath, kInterface, method); }

}  // namespace

DBusNotifications::DBusNotifications(QDBusConnection bus, QObject* parent) : QObject(parent), bus_(std::move(bus)) {
  if (!bus_.isConnected()) {
    present_ = false;
    return;
  }
  bus_.connect(kService, kPath, kInterface, QStringLiteral("ActionInvoked"), this,
               SLOT(OnActionInvoked(uint, QString)));
  bus_.connect(kService, kPath, kInterface, QStringLiteral("NotificationClosed"), this,
               SLOT(OnNotificationClosed(uint, uint)));
  // A service that starts later (or again) is asked once more.
  auto* watcher = new QDBusServiceWatcher(kService, bus_, QDBusServiceWatcher::WatchForRegistration, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, [this] { CheckService(); });
  CheckService();
}

void DBusNotifications::CheckService() {
  auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(Call(QStringLiteral("GetCapabilities"))), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* finished) {
    finished->deleteLater();
    const QDBusPendingReply<QStringList> reply = *finished;
    present_ = !reply.isError();
    if (*present_) markup_ = reply.value().contains(QStringLiteral("body-markup"));
    emit serviceChecked(*present_);
  });
}

platform::NotificationId DBusNotifications::Notify(const platform::DesktopNotice& notice) {
  if (present_ == false) return 0;  // no bus, or no service yet: the watcher asks again when one comes
  const auto replaced = tracked_.find(notice.replaces);
  if (notice.replaces != 0 && replaced != tracked_.end() && !replaced->second.closeWanted) {
    Tracked& tracked = replaced->second;
    if (tracked.inFlight) tracked.waiting = notice;
    else Send(notice.replaces, notice, tracked.serverId);
    return notice.replaces;
  }
  if (++next_ == 0) ++next_;
  const platform::NotificationId id = next_;
  tracked_[id] = {};
  if (tracked_.size() > kMaxTracked) tracked_.erase(tracked_.begin());
  Send(id, notice, 0);
  return id;
}

void DBusNotifications::Send(platform::NotificationId id, const platform::DesktopNotice& notice,
                             std::uint32_t replaces) {
  QVariantMap hints;
  hints.insert(QStringLiteral("desktop-entry"), QStringLiteral("net.belvo.Orvinta"));
  hints.insert(QStringLiteral("category"), QStringLiteral("im.received"));
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue<uchar>(1));
  tracked_[id].inFlight = true;
  QDBusMessage message = Call(QStringLiteral("Notify"));
  message << QStringLiteral("Orvinta") << uint(replaces) << QStringLiteral("orvinta")
          << platform::qt::FromDisplayText(notice.title) << BodyText(notice.body)
          << QStringList{kDefaultAction, QStringLiteral("열기")} << hints << int(-1);
  auto* call = new QDBusPendingCallWatcher(bus_.asyncCall(message), this);
  connect(call, &QDBusPendingCallWatcher::finished, this, [this, id](QDBusPendingCallWatcher* finished) {
    finished->deleteLater();
    Guarded("a notification's answer", [&] { OnNotifyAnswer(id, finished); });
  });
}

void DBusNotifications::OnNotifyAnswer(platform::NotificationId id, QDBusPendingCallWatcher* call) {
  const QDBusPendingReply<uint> reply = *call;
  const auto it = tracked_.find(id);
  if (it == tracked_.end()) return;
  if (reply.isError() || reply.value() == 0) {
    // Gone: nothing more is sent until the watcher sees a service again.
    if (reply.isError() && reply.error().type() == QDBusError::ServiceUnknown) present_ = false;
    Forget(id, true);
    return;
  }
  Tracked& tracked = it->second;
  tracked.serverId = reply.value();
  tracked.inFlight = false;
  if (tracked.closeWanted) {
    bus_.asyncCall(Call(QStringLiteral("CloseNotification")) << uint(tracked.serverId));
    tracked_.erase(it);
  } else if (tracked.waiting) {
    const platform::DesktopNotice waiting = *tracked.waiting;
    tracked.waiting.reset();
    Send(id, waiting, tracked.serverId);
  }
}

void DBusNotifications::Close(platform::NotificationId id) {
  const auto it = tracked_.find(id);
  if (it == tracked_.end()) return;
  if (it->second.serverId == 0) {
    it->second.closeWanted = true;  // closed once its id is known
    return;
  }
  bus_.asyncCall(Call(QStringLiteral("CloseNotification")) << uint(it->second.serverId));
  tracked_.erase(it);
}

void DBusNotifications::SetHandlers(std::function<void(platform::NotificationId)> clicked,
                                    std::function<void(platform::NotificationId)> closed) {
  clicked_ = std::move(clicked);
  closed_ = std::move(closed);
}

void DBusNotifications::OnActionInvoked(uint serverId, const QString& action) {
  Guarded("a notification's click", [&] {
    const auto id = FindServerId(serverId);
    if (id && action == kDefaultAction && clicked_) clicked_(*id);
  });
}

void DBusNotifications::OnNotificationClosed(uint serverId, uint /*reason*/) {
  Guarded("a notification closing", [&] {
    if (const auto id = FindServerId(serverId)) Forget(*id, true);
  });
}

void DBusNotifications::Forget(platform::NotificationId id, bool tell) {
  if (tracked_.erase(id) == 0) return;
  if (tell && closed_) closed_(id);
}

std::optional<platform::NotificationId> DBusNotifications::FindServerId(std::uint32_t serverId) const {
  if (serverId == 0) return std::nullopt;
  for (const auto& [id, tracked] : tracked_) {
    if (tracked.serverId == serverId) return id;
  }
  return std::nullopt;
}

QString DBusNotifications::BodyText(const std::string& cp949) const {
  const QString text = platform::qt::FromDisplayText(cp949);
  // A service that reads markup would take "<" in someone's line as a tag.
  return markup_ ? text.toHtmlEscaped() : text;
}

}  // namespace orvinta::components
