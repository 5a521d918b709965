#pragma once
// The reading choices and what serves them around the main window: the
// choices read from orvinta.conf at start and written when the settings
// page changes them, the desktop notifications, the tray icon, and the
// user's return to the window.
#include <QString>

#include "client/app/reading_settings_file.h"
#include "client/components/desktop/dbus_notifications.h"
#include "client/components/desktop/mention_tray.h"
#include "client/components/desktop/window_activation.h"
#include "client/window/desktop_attention.h"
#include "client/window/reading_preferences.h"

namespace orvinta::components {
class MainWindow;
}
namespace orvinta::config {
class CConfigDlg;
}
namespace orvinta::window {
class COrvintaDlg;
}

namespace orvinta::app {

class ReadingAndAttention {
 public:
  // Made after the window logic and held by something made before it: the
  // logic's transcript tells this of every line until the logic is gone.
  ReadingAndAttention(components::MainWindow& widgets, window::COrvintaDlg& dlg, QString settingsPath);
  ReadingAndAttention(const ReadingAndAttention&) = delete;
  ReadingAndAttention& operator=(const ReadingAndAttention&) = delete;

  // Read by whoever serves a choice as lines arrive (the transcript, the room log).
  const window::ReadingPreferences& Preferences() const { return preferences_; }
  // Gives the settings dialog (when open) its reading page.
  void OfferChoicesIn(config::CConfigDlg* dialog);

 private:
  void Apply(const window::ReadingPreferences& chosen);

  ReadingSettingsFile file_;
  window::ReadingPreferences preferences_;
  components::DBusNotifications notifications_;
  components::MentionTray tray_;
  window::DesktopAttention attention_;
  components::WindowActivation activation_;
};

}  // namespace orvinta::app
