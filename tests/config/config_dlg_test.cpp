// The settings dialog on the offscreen platform: its controls, limits, save,
// reset, keys, placement and one-at-a-time opening.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

#include "client/components/buttons/image_button.h"
#include "client/components/config/config_dlg.h"
#include "client/components/input/static_title.h"
#include "tests/fakes/fake_ports.h"

namespace orvinta::config {
namespace {

// Types each character as a key press carrying its text, as an input method does.
void Type(QWidget* widget, const QString& text) {
  for (QChar c : text) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, QString(c));
    QCoreApplication::sendEvent(widget, &press);
  }
}

class ConfigDialog : public testing::Test {
 protected:
  ConfigDialog() {
    values.Header = "\xB8\xD3\xB8\xAE";  // "머리" in code page 949
    values.Shortcut[9] = "ten";
    values.Shortcut[1] = std::string(60, 'x');  // longer than anyone can type
    values.SaveFolder = "/kept";
    values.Skin = 1;
  }
  ~ConfigDialog() override { delete dialog; }
  void Open() {
    CConfigDlg::Open(dialog, nullptr, {100, 300, 800, 600}, values, boxes, [this] { ++saves; });
    ASSERT_TRUE(dialog);
  }
  QLineEdit* Edit(const char* name) { return dialog->findChild<QLineEdit*>(name); }
  template <typename T>
  T* Find(const char* name) {
    return dialog->findChild<T*>(name);
  }

  ConfigValues values;
  fakes::FakeMessageBoxes boxes;
  int saves = 0;
  QPointer<CConfigDlg> dialog;
};

TEST_F(ConfigDialog, OpensOnceAtItsPlaceWithItsTextsAndControls) {
  Open();
  CConfigDlg* first = dialog;
  Open();
  EXPECT_EQ(dialog, first);
  EXPECT_EQ(dialog->windowTitle(), QStringLiteral(" 환경 설정"));
  EXPECT_FALSE(dialog->isModal());
  EXPECT_EQ(dialog->pos(), QPoint(100 + 400 - 175, 300 + 300 - 229));
  EXPECT_EQ(Edit("header")->text(), QStringLiteral("머리"));
  EXPECT_EQ(Edit("shortcut10")->text(), QStringLiteral("ten"));
  EXPECT_EQ(Edit("shortcut10")->geometry(), QRect(100, 386, 190, 18));
  EXPECT_EQ(Find<QLabel>("label1089")->text(), QStringLiteral("F10 ◁"));
  EXPECT_EQ(Find<QLabel>("label1080")->text(), QStringLiteral("F1  ◁"));
  EXPECT_EQ(Find<QLabel>("label1078")->x(), Find<QLabel>("help1093")->x()) << "in line with the section text";
  EXPECT_EQ(Find<components::CStaticTitle>("title1075")->Text(), QStringLiteral("머리말, 꼬리말 설정"));
  EXPECT_EQ(Find<components::CStaticTitle>("title1076")->Text(), QStringLiteral("단축키 설정"));
  EXPECT_EQ(Find<components::CStaticTitle>("title1077")->Text(), QStringLiteral("스킨 설정"));
  EXPECT_FALSE(Find<components::CStaticTitle>("title1077")->isVisible());
  EXPECT_FALSE(Find<QComboBox>("skin")->isVisible());
  EXPECT_EQ(Find<QComboBox>("skin")->currentText(), QStringLiteral("GREEN"));
  EXPECT_EQ(Find<buttons::CImageButton>("saveButton")->geometry(), QRect(100, 426, 76, 22));
  EXPECT_EQ(Find<buttons::CImageButton>("resetButton")->toolTip(), QStringLiteral("설정 초기화"));
}

TEST_F(ConfigDialog, HeaderTakesTenKoreanCharactersAndNoMore) {
  Open();
  QLineEdit* header = Edit("header");
  header->clear();
  Type(header, QStringLiteral("가나다라마바사아자차카"));
  EXPECT_EQ(header->text(), QStringLiteral("가나다라마바사아자차"));
  QLineEdit* footer = Edit("footer");
  QTest::keyClicks(footer, QString(21, QLatin1Char('a')));
  EXPECT_EQ(footer->text(), QString(20, QLatin1Char('a')));
  Type(Edit("shortcut1"), QStringLiteral("a\u0E01b"));  // Thai is not in the code page
  EXPECT_EQ(Edit("shortcut1")->text(), QStringLiteral("ab"));
  QLineEdit* stored = Edit("shortcut2");
  EXPECT_EQ(stored->text(), QString(60, QLatin1Char('x'))) << "shown whole";
  QTest::keyClick(stored, Qt::Key_Backspace);
  Type(stored, QStringLiteral("y"));
  EXPECT_EQ(stored->text(), QString(59, QLatin1Char('x'))) << "may shrink, not grow";
}

TEST_F(ConfigDialog, EscapeCancels) {
  Open();
  QTest::keyClick(Edit("header"), Qt::Key_Escape);
  EXPECT_EQ(saves, 0);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull());
}

TEST_F(ConfigDialog, EnterKeepsItOpenSaveTrimsWritesAndCloses) {
  Open();
  dialog->show();
  QTest::keyClick(Edit("header"), Qt::Key_Return);
  EXPECT_TRUE(dialog->isVisible());
  Edit("header")->setText(QStringLiteral("  앞 "));
  Edit("shortcut1")->setText(QStringLiteral(" 안녕 "));
  QTest::mouseClick(Find<buttons::CImageButton>("saveButton"), Qt::LeftButton);
  EXPECT_EQ(values.Header, "\xBE\xD5");  // "앞"
  EXPECT_EQ(values.Shortcut[0], "\xBE\xC8\xB3\xE7");  // "안녕"
  EXPECT_EQ(values.Skin, 1);
  EXPECT_EQ(saves, 1);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_TRUE(dialog.isNull()) << "closed and deleted, the slot emptied";
}

TEST_F(ConfigDialog, ResetAsksEmptiesTheEditsAndStaysOpen) {
  Open();
  boxes.answers = {platform::BoxAnswer::No, platform::BoxAnswer::Yes};
  auto* reset = Find<buttons::CImageButton>("resetButton");
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_EQ(Edit("header")->text(), QStringLiteral("머리"));
  QTest::mouseClick(reset, Qt::LeftButton);
  EXPECT_TRUE(Edit("header")->text().isEmpty());
  EXPECT_TRUE(Edit("shortcut10")->text().isEmpty());
  EXPECT_EQ(values.SaveFolder, "/kept");
  EXPECT_EQ(saves, 1);
  EXPECT_FALSE(dialog.isNull());
}

TEST_F(ConfigDialog, DrawsItsBandsAndPanel) {
  Open();
  const QImage image = dialog->grab().toImage();
  QDir().mkpath(ORVINTA_PICTURE_DIR);
  image.save(ORVINTA_PICTURE_DIR "/config_dialog.png");
  EXPECT_EQ(image.pixelColor(5, 200), QColor(227, 227, 227));
  EXPECT_EQ(image.pixelColor(15, 15), QColor(227, 227, 227));  // rounded corner
  EXPECT_EQ(image.pixelColor(17, 17), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(60, CConfigDlg::kClientHeight - 10), QColor(227, 227, 227));
  EXPECT_EQ(image.pixelColor(30, 30), QColor(136, 198, 149));  // the first title bar
}

}  // namespace
}  // namespace orvinta::config
