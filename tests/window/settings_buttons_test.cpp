// The toolbar's settings and save buttons as the program wires them, on the
// offscreen platform: one settings dialog at a time, whose save writes
// Orvinta.cfg and hands the new texts to composing, drawn in its own inks
// inside a main window with a label style of its own; and the save button
// outside a room.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include "client/app/settings_and_saving.h"
#include "client/components/config/config.h"
#include "client/components/config/config_file.h"
#include "platform/qt/qt_text.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_window_host.h"

namespace orvinta::app {
namespace {

using platform::qt::ToCp949;

class NoTranscripts final : public saving::TranscriptSource {
 public:
  bool ReadTranscript(const std::string&, platform::HtmlView::HtmlCallback) override { return false; }
};

class SettingsButtons : public testing::Test {
 protected:
  SettingsButtons() {
    config::CConfig::Values() = {};
    // The main window's own label style must not reach the dialog.
    mainWindow.setStyleSheet(QStringLiteral("QLabel { color: #333333; background: #F3F3F3; }"));
  }

  QTemporaryDir folder;
  const std::string path = (folder.path() + QStringLiteral("/Orvinta.cfg")).toStdString();
  config::ConfigStore store{path};
  QWidget mainWindow;
  fakes::FakeWindowHost host;
  fakes::FakeMessageBoxes boxes;
  NoTranscripts transcripts;
  std::optional<saving::SaveTarget> shown;
  std::vector<std::string> headersHandedOn;
  SettingsAndSaving buttons{{.mainWindow = mainWindow,
                             .host = host,
                             .boxes = boxes,
                             .store = store,
                             .transcripts = transcripts,
                             .currentRoom = [this] { return shown; },
                             .textsChanged = [this](const config::ConfigValues& values) {
                               headersHandedOn.push_back(values.Header);
                             }}};
};

TEST_F(SettingsButtons, OneDialogWhoseSaveWritesTheFileAndHandsTheTextsOn) {
  buttons.OnSettingsClicked();
  QPointer<config::CConfigDlg> dialog = buttons.Dialog();
  ASSERT_TRUE(dialog);
  buttons.OnSettingsClicked();
  EXPECT_EQ(buttons.Dialog(), dialog);
  EXPECT_EQ(mainWindow.findChildren<config::CConfigDlg*>().size(), 1);

  dialog->ensurePolished();
  auto* label = dialog->findChild<QLabel*>(QStringLiteral("label1078"));
  auto* help = dialog->findChild<QLabel*>(QStringLiteral("help1093"));
  ASSERT_TRUE(label && help);
  label->ensurePolished();
  help->ensurePolished();
  EXPECT_EQ(label->palette().color(QPalette::WindowText), QColor(77, 139, 84));
  EXPECT_EQ(help->palette().color(QPalette::WindowText), QColor(64, 64, 64));

  dialog->findChild<QLineEdit*>(QStringLiteral("header"))->setText(QStringLiteral("  [머리] "));
  QTest::mouseClick(dialog->findChild<QAbstractButton*>(QStringLiteral("saveButton")), Qt::LeftButton);
  const std::string header = ToCp949(QStringLiteral("[머리]"));
  EXPECT_EQ(headersHandedOn, std::vector<std::string>{header});
  config::ConfigValues written;
  config::ConfigFile(path).Load(written);
  EXPECT_EQ(written.Header, header);

  // Saving closes it; the button opens a new one.
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_FALSE(dialog);
  buttons.OnSettingsClicked();
  EXPECT_TRUE(buttons.Dialog());
}

TEST_F(SettingsButtons, TheSaveButtonOutsideARoomOnlySaysSo) {
  for (const auto& room : {std::optional<saving::SaveTarget>{},
                           std::optional<saving::SaveTarget>{saving::SaveTarget{"home", "home", true}}}) {
    shown = room;
    buttons.OnBnClickedButtonSave();
  }
  ASSERT_EQ(boxes.shown.size(), 2u);
  EXPECT_EQ(boxes.shown[1].text, ToCp949(QStringLiteral("내용저장은 채팅방에서만 할 수 있습니다  ")));
  EXPECT_TRUE(mainWindow.findChildren<QDialog*>().isEmpty());
}

}  // namespace
}  // namespace orvinta::app
