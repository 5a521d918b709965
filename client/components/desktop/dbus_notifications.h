#pragma once
// Desktop notifications through the session's notification service
// (org.freedesktop.Notifications) over D-Bus. Every call is asynchronous:
// Notify hands back an id of ours at once and learns the service's id from
// its answer. Where there is no session bus or no service, nothing is shown.
#include <QDBusConnection>
#include <QObject>
#include <QString>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>

#include "platform/desktop_notifications.h"

class QDBusPendingCallWatcher;

namespace orvinta::components {

class DBusNotifications final : public QObject, public platform::DesktopNotifications {
  Q_OBJECT
 public:
  // Notices kept track of at once; the oldest is forgotten beyond this.
  static constexpr std::size_t kMaxTracked = 64;

  explicit DBusNotifications(QDBusConnection bus = QDBusConnection::sessionBus(), QObject* parent = nullptr);

  platform::NotificationId Notify(const platform::DesktopNotice& notice) override;
  void Close(platform::NotificationId id) override;
  void SetHandlers(std::function<void(platform::NotificationId)> clicked,
                   std::function<void(platform::NotificationId)> closed) override;

  // True once the service has answered; false while unknown or absent.
  bool ServicePresent() const { return present_ == true; }

 signals:
  // The service answered (or failed to answer) the question of what it can do.
  void serviceChecked(bool present);

 private slots:
  void OnActionInvoked(uint serverId, const QString& action);
  void OnNotificationClosed(uint serverId, uint reason);

 private:
  struct Tracked {
    std::uint32_t serverId = 0;  // 0 while the service has not answered
    // The newest replacement, sent once the call before it is answered: a
    // busy room costs one call in flight, not one call a line.
    std::optional<platform::DesktopNotice> waiting;
    bool inFlight = false;
    bool closeWanted = false;
  };
  void CheckService();
  void Send(platform::NotificationId id, const platform::DesktopNotice& notice, std::uint32_t replaces);
  void OnNotifyAnswer(platform::NotificationId id, QDBusPendingCallWatcher* call);
  void Forget(platform::NotificationId id, bool tell);
  std::optional<platform::NotificationId> FindServerId(std::uint32_t serverId) const;
  QString BodyText(const std::string& cp949) const;

  QDBusConnection bus_;
  std::optional<bool> present_;  // unknown until the capabilities are answered
  bool markup_ = true;           // escape the body until the service says it reads plain text
  platform::NotificationId next_ = 0;
  std::map<platform::NotificationId, Tracked> tracked_;
  std::function<void(platform::NotificationId)> clicked_;
  std::function<void(platform::NotificationId)> closed_;
};

}  // namespace orvinta::components
