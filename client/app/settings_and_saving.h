#pragma once
// The toolbar's settings and save buttons: the settings dialog (modeless, at
// most one) and saving the shown room's transcript to a file. Both write
// Orvinta.cfg when they change a setting.
#include <QPointer>
#include <functional>
#include <optional>

#include "client/components/config/config_dlg.h"
#include "client/components/config/config_store.h"
#include "client/components/config/qt_save_desktop.h"
#include "client/window/saving/local_save_ports.h"
#include "client/window/saving/transcript_saver.h"
#include "platform/message_box.h"
#include "platform/window_host.h"

namespace orvinta::app {

struct SettingsAndSavingParts {
  QWidget& mainWindow;
  platform::WindowHost& host;  // the dialog opens centred over its rectangle
  platform::MessageBoxes& boxes;
  config::ConfigStore& store;
  saving::TranscriptSource& transcripts;
  std::function<std::optional<saving::SaveTarget>()> currentRoom;
  // The header, footer and F1-F10 texts were saved or reset.
  std::function<void(const config::ConfigValues&)> textsChanged;
};

class SettingsAndSaving {
 public:
  explicit SettingsAndSaving(SettingsAndSavingParts parts);
  SettingsAndSaving(const SettingsAndSaving&) = delete;
  SettingsAndSaving& operator=(const SettingsAndSaving&) = delete;

  void OnSettingsClicked();      // button 1059; nothing while the dialog is open
  void OnBnClickedButtonSave();  // button 1060; the room is the one shown at the click

  config::CConfigDlg* Dialog() const { return dialog_; }

 private:
  SettingsAndSavingParts parts_;
  config::QtSaveDesktop desktop_;
  saving::LocalSaveFiles files_;
  saving::SystemLocalClock clock_;
  saving::TranscriptSaver saver_;
  QPointer<config::CConfigDlg> dialog_;
};

}  // namespace orvinta::app
