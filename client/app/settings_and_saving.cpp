#include "client/app/settings_and_saving.h"

#include "client/components/config/config.h"

namespace orvinta::app {
namespace {

// The dialog's inks: labels RGB(77,139,84), the four help lines RGB(64,64,64).
constexpr char kOwnLabelStyle[] =
    "QLabel { background: transparent; color: #4D8B54; }"
    "QLabel#help1093, QLabel#help1094, QLabel#help1096, QLabel#help1097 { color: #404040; }";

}  // namespace

SettingsAndSaving::SettingsAndSaving(SettingsAndSavingParts parts)
    : parts_(std::move(parts)),
      desktop_(&parts_.mainWindow),
      saver_({desktop_, files_, parts_.boxes, clock_, parts_.transcripts}, config::CConfig::Values(),
             [this] { parts_.store.SaveConfig(); }) {}

void SettingsAndSaving::OnSettingsClicked() {
  const bool opening = !dialog_;
  config::CConfigDlg::Open(dialog_, &parts_.mainWindow, parts_.host.GetWindowRect(), config::CConfig::Values(),
                           parts_.boxes, [this] {
                             parts_.store.SaveConfig();
                             if (parts_.textsChanged) parts_.textsChanged(config::CConfig::Values());
                           });
  // The dialog is the main window's child, so the main window's label style
  // would reach it: its labels keep their own inks on its white panel.
  if (opening && dialog_) dialog_->setStyleSheet(QString::fromLatin1(kOwnLabelStyle));
}

void SettingsAndSaving::OnBnClickedButtonSave() {
  saver_.OnBnClickedButtonSave(parts_.currentRoom ? parts_.currentRoom() : std::nullopt);
}

}  // namespace orvinta::app
