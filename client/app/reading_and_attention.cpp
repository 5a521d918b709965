#include "client/app/reading_and_attention.h"

#include "client/components/config/config_dlg.h"
#include "client/components/main_window.h"
#include "client/window/orvinta_dlg.h"

namespace orvinta::app {

ReadingAndAttention::ReadingAndAttention(components::MainWindow& widgets, window::COrvintaDlg& dlg,
                                         QString settingsPath)
    : file_(std::move(settingsPath)),
      preferences_(file_.Load()),
      tray_([&widgets] {
        widgets.Restore();
        widgets.BringToForeground();
      }),
      attention_({.notifications = notifications_,
                  .preferences = preferences_,
                  .windowActive = [this] { return activation_.IsActive(); },
                  .bringForward =
                      [&widgets, &dlg](std::string_view room) {
                        widgets.Restore();
                        widgets.BringToForeground();
                        if (!room.empty()) dlg.BringChannelToFront(room);
                      },
                  .unseenMentionsChanged = [this](int unseen) { tray_.SetUnseen(unseen); }}),
      activation_(widgets, [this] { attention_.OnWindowActivated(); }) {
  dlg.Transcript().UsePreferences(preferences_);
  dlg.Transcript().AddListener(attention_);
  dlg.SetInvitationListener(&attention_);
  tray_.SetWanted(preferences_.trayIcon);
}

void ReadingAndAttention::OfferChoicesIn(config::CConfigDlg* dialog) {
  if (!dialog) return;
  dialog->OfferReadingChoices(preferences_, [this](const window::ReadingPreferences& chosen) { Apply(chosen); });
}

void ReadingAndAttention::Apply(const window::ReadingPreferences& chosen) {
  preferences_ = chosen;
  file_.Save(preferences_);
  tray_.SetWanted(preferences_.trayIcon);
}

}  // namespace orvinta::app
