// The reading choices: their page in the settings dialog and their round trip
// through orvinta.conf, which leaves Orvinta.cfg and other sections alone.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLabel>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "client/app/reading_settings_file.h"
#include "client/components/config/config_dlg.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::app {
namespace {

using window::ReadingPreferences;

bool Same(const ReadingPreferences& a, const ReadingPreferences& b) {
  return a.highlightMentions == b.highlightMentions && a.notifications == b.notifications &&
         a.trayIcon == b.trayIcon && a.roomLog == b.roomLog && a.entryHistoryLines == b.entryHistoryLines;
}

class ReadingSettingsTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  QString conf = QDir(folder.path()).filePath(QStringLiteral("orvinta.conf"));
};

TEST_F(ReadingSettingsTest, RoundTripKeepsEveryChoiceAndOtherSections) {
  {
    QSettings other(conf, QSettings::IniFormat);
    other.setValue(QStringLiteral("colours/custom0"), 255);  // the colour picker's
  }
  const ReadingSettingsFile file(conf);
  EXPECT_TRUE(Same(file.Load(), ReadingPreferences{}));  // nothing kept yet: the defaults
  for (const ReadingPreferences& chosen : {ReadingPreferences{false, true, false, true},
                                           ReadingPreferences{true, false, true, false},
                                           ReadingPreferences{true, true, true, true, 0},
                                           ReadingPreferences{false, false, false, false, 200}}) {
    ASSERT_TRUE(file.Save(chosen));
    EXPECT_TRUE(Same(ReadingSettingsFile(conf).Load(), chosen));
  }
  EXPECT_EQ(QSettings(conf, QSettings::IniFormat).value(QStringLiteral("colours/custom0")).toInt(), 255);
  EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{QStringLiteral("orvinta.conf")});
  EXPECT_EQ(ReadingSettingsPathBeside(QDir(folder.path()).filePath(QStringLiteral("Orvinta.cfg")).toStdString()),
            conf);
  EXPECT_TRUE(ReadingSettingsPathBeside("").isEmpty());
}

TEST_F(ReadingSettingsTest, ValuesThatAreNotYesOrNoKeepTheirDefaults) {
  QFile file(conf);
  ASSERT_TRUE(file.open(QIODevice::WriteOnly));
  file.write("[reading]\nhighlightMentions=0\nnotifications=maybe\ntrayIcon=\nroomLog=TRUE\nentryHistoryLines=many\n");
  file.close();
  EXPECT_TRUE(Same(ReadingSettingsFile(conf).Load(), ReadingPreferences{false, true, true, true}));
  for (const auto& [written, read] : std::initializer_list<std::pair<const char*, int>>{{"900", 200}, {"-5", 0}}) {
    QSettings(conf, QSettings::IniFormat).setValue(QStringLiteral("reading/entryHistoryLines"), written);
    EXPECT_EQ(ReadingSettingsFile(conf).Load().entryHistoryLines, read);  // held to 0 to 200
  }
}

TEST_F(ReadingSettingsTest, ThePageAppliesEachTickAtOnce) {
  config::ConfigValues values;
  fakes::FakeMessageBoxes boxes;
  int cfgSaves = 0;
  QPointer<config::CConfigDlg> dialog;
  config::CConfigDlg::Open(dialog, nullptr, {0, 0, 800, 600}, values, boxes, [&] { ++cfgSaves; });
  ASSERT_TRUE(dialog);
  const ReadingSettingsFile file(conf);
  dialog->OfferReadingChoices({}, [&](const ReadingPreferences& chosen) { file.Save(chosen); });

  auto* turn = dialog->findChild<QToolButton*>(QStringLiteral("readingPageButton"));
  auto* notifications = dialog->findChild<QCheckBox*>(QStringLiteral("notifications"));
  auto* roomLog = dialog->findChild<QCheckBox*>(QStringLiteral("roomLog"));
  ASSERT_TRUE(turn && notifications && roomLog);
  EXPECT_EQ(notifications->text(), QStringLiteral("바탕화면 알림"));
  EXPECT_TRUE(notifications->isChecked());
  EXPECT_FALSE(notifications->isVisibleTo(dialog));
  QTest::mouseClick(turn, Qt::LeftButton);
  EXPECT_TRUE(notifications->isVisibleTo(dialog));
  EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("header"))->isVisibleTo(dialog));
  for (const QLabel* label : dialog->findChildren<QLabel*>()) EXPECT_FALSE(label->text().contains(".conf"));

  notifications->click();
  roomLog->click();
  auto* lines = dialog->findChild<QSpinBox*>(QStringLiteral("entryHistoryLines"));
  ASSERT_TRUE(lines);
  EXPECT_EQ(lines->accessibleName(), QStringLiteral("입장 시 지난 대화"));
  QTest::keyClick(lines, Qt::Key_Down);
  EXPECT_TRUE(Same(file.Load(), ReadingPreferences{true, false, true, true, 49}));
  EXPECT_EQ(cfgSaves, 0);  // Orvinta.cfg is not written for these

  QTest::mouseClick(turn, Qt::LeftButton);  // back: the first page as it was, its hidden skin combo still hidden
  EXPECT_TRUE(dialog->findChild<QWidget*>(QStringLiteral("header"))->isVisibleTo(dialog));
  EXPECT_FALSE(dialog->findChild<QWidget*>(QStringLiteral("skin"))->isVisibleTo(dialog));
  delete dialog;
}

}  // namespace
}  // namespace orvinta::app
