// The image button widget and the art drawn for it.
#include <gtest/gtest.h>

#include <QDir>
#include <QHBoxLayout>
#include <QMenu>
#include <QPainter>
#include <QApplication>
#include <QTest>
#include <QTimer>

#include "client/components/buttons/button_art.h"
#include "client/components/buttons/toolbar_buttons.h"
#include "tests/fakes/fake_ports.h"
#include "tests/fakes/fake_shell.h"

namespace orvinta::buttons {
namespace {

TEST(ButtonArt, EveryBitmapIsDrawnAtOneAndTwoTimes) {
  // The doubled art at its full pixel size, on the window colour.
  QImage sheet(1000, 56, QImage::Format_RGB32);
  sheet.fill(QColor(252, 252, 252));
  QPainter painter(&sheet);
  int x = 4;
  for (int id : {kArtSave, kArtReset, kArtClear, kArtSettings, kArtSaveTranscript, kArtSend, kArtEmoticon, kArtBold,
                 kArtItalic, kArtUnderline, kArtEnd}) {
    for (int scale : {1, 2}) {
      const QPixmap art = DrawButtonArt(id, scale);
      ASSERT_FALSE(art.isNull()) << id;
      EXPECT_EQ(art.size(), ArtSize(id) * scale) << id;
      EXPECT_EQ(art.deviceIndependentSize().toSize(), ArtSize(id)) << id;
      // Something besides the transparent colour is drawn.
      const QImage image = art.toImage();
      EXPECT_NE(image.pixelColor(image.width() / 2, image.height() / 2), ArtTransparentColour(id)) << id;
    }
    QPixmap doubled = DrawButtonArt(id, 2);
    if (ArtTransparentColour(id).isValid()) doubled.setMask(doubled.createMaskFromColor(ArtTransparentColour(id)));
    doubled.setDevicePixelRatio(1);
    painter.drawPixmap(x, 4, doubled);
    x += doubled.width() + 8;
  }
  EXPECT_TRUE(DrawButtonArt(999, 1).isNull());
  painter.end();
  QDir().mkpath(ORVINTA_PICTURE_DIR);
  sheet.save(ORVINTA_PICTURE_DIR "/button_art.png");
}

TEST(ImageButtonWidget, ToolbarButtonsCarryTheirTooltipsAndMaskTheirKeyColour) {
  QWidget row;
  auto* layout = new QHBoxLayout(&row);
  const std::pair<int, QString> expected[] = {{kClearButton, QStringLiteral("화면지우기")},
                                              {kSettingsButton, QStringLiteral("입력 단축키를 설정합니다")},
                                              {kSaveButton, QStringLiteral("채팅 내용을 저장합니다")}};
  for (const auto& [id, tip] : expected) {
    CImageButton* button = MakeToolbarButton(id, &row);
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), tip);
    layout->addWidget(button);
  }
  EXPECT_EQ(MakeToolbarButton(1061, &row), nullptr);
  row.setStyleSheet(QStringLiteral("background: #FCFCFC"));
  const QImage image = row.grab().toImage();
  image.save(ORVINTA_PICTURE_DIR "/toolbar_buttons.png");
  auto* save = row.findChild<CImageButton*>(QStringLiteral("saveButton"));
  const QPoint corner = save->geometry().topLeft();
  EXPECT_NE(image.pixelColor(corner), QColor(255, 0, 255)) << "the key colour never shows";
}

TEST(ImageButtonWidget, TooltipSetTwiceShowsTheSecondTextAndCanBeInactive) {
  CImageButton button;
  button.SetTooltip(QStringLiteral("하나"));
  button.SetTooltip(QStringLiteral("둘"));
  EXPECT_EQ(button.toolTip(), QStringLiteral("둘"));
  button.SetTooltip(QStringLiteral("셋"), false);
  EXPECT_TRUE(button.toolTip().isEmpty());
}

TEST(ImageButtonWidget, ClickOpensOnlyHttpAddressesAndPlaysItsSound) {
  fakes::FakeShell shell;
  fakes::FakeSound sound;
  CImageButton button;
  button.resize(30, 20);
  button.SetSound(&sound, 5);
  EXPECT_FALSE(button.SetWebAddress("file:///etc/passwd", &shell));
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(shell.urls.empty());
  EXPECT_TRUE(button.SetWebAddress("http://blog.example.kr/kim", &shell));
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(shell.urls, std::vector<std::string>{"http://blog.example.kr/kim"});
  EXPECT_EQ(sound.played, (std::vector<int>{5, 5}));
}

TEST(ImageButtonWidget, CheckBoxModeToggles) {
  CImageButton button;
  button.resize(30, 20);
  button.SetCheckBox(true);
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_TRUE(button.IsChecked());
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_FALSE(button.IsChecked());
}

TEST(ImageButtonWidget, FlatButtonFramesOnlyWhilePointedAt) {
  CImageButton button;
  button.resize(40, 24);
  button.SetColours({Qt::white, Qt::black, Qt::white, Qt::black, Qt::white, Qt::black});
  EXPECT_EQ(button.grab().toImage().pixelColor(0, 12), QColor(Qt::white));
  QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
  QCoreApplication::sendEvent(&button, &enter);
  EXPECT_EQ(button.Frame(), ButtonFrame::Hover);
  EXPECT_NE(button.grab().toImage().pixelColor(39, 12), QColor(Qt::white));  // the shadowed right edge
  button.SetHoverFrame(false);
  EXPECT_EQ(button.Frame(), ButtonFrame::None);
  button.SetFlat(false);
  EXPECT_EQ(button.Frame(), ButtonFrame::Raised);
}

TEST(ImageButtonWidget, MenuCommandIsPostedNotCalled) {
  QMenu menu;
  CImageButton button;
  int received = 0;
  button.AttachMenu(&menu, [&](int command) { received = command; });
  QAction* action = menu.addAction(QStringLiteral("블로그"));
  action->setData(1207);
  button.resize(30, 20);
  button.show();
  QTimer::singleShot(20, [&] {
    if (auto* popup = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      popup->setActiveAction(action);
      QTest::keyClick(popup, Qt::Key_Return);
    }
  });
  QTest::mouseClick(&button, Qt::LeftButton);
  EXPECT_EQ(received, 0) << "posted, so it arrives from the event loop";
  QCoreApplication::processEvents();
  EXPECT_EQ(received, 1207);
}

}  // namespace
}  // namespace orvinta::buttons
