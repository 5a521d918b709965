#pragma once
// Notifications on the desktop (the notification service of the session):
// a title, a body and a click that brings something forward. Texts are code
// page 949 bytes and plain text; the adapter converts and escapes them.
#include <cstdint>
#include <functional>
#include <string>

namespace orvinta::platform {

using NotificationId = std::uint32_t;  // 0: no notification

struct DesktopNotice {
  std::string title;
  std::string body;
  NotificationId replaces = 0;  // shown in place of this one while it is still up
};

class DesktopNotifications {
 public:
  virtual ~DesktopNotifications() = default;
  // Returns the notice's id (the replaced one's when it replaces), or 0 when
  // the desktop shows none. Never waits for the desktop.
  virtual NotificationId Notify(const DesktopNotice& notice) = 0;
  virtual void Close(NotificationId id) = 0;
  // clicked: the user chose the notice; closed: it is gone (expired, dismissed
  // or closed by the program). Either may be empty.
  virtual void SetHandlers(std::function<void(NotificationId)> clicked,
                           std::function<void(NotificationId)> closed) = 0;
};

}  // namespace orvinta::platform
