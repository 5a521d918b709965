#include <gtest/gtest.h>

#include <QColorDialog>
#include <QHelpEvent>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>
#include <tuple>
#include <vector>

#include "client/components/colour_picker/colour_palette.h"
#include "client/components/colour_picker/colour_picker_xp.h"
#include "client/components/colour_picker/colour_popup.h"
#include "client/components/colour_picker/custom_colours.h"
#include "client/components/colour_picker/qt_settings_store.h"
#include "client/components/input/colorref.h"
#include "tests/drawn/drawn_test_support.h"

namespace orvinta::components {
namespace {

using Notice = std::tuple<int, std::uint32_t, int>;  // message, colour, control id
constexpr int kId = 1015;
constexpr std::uint32_t kBlue = Rgb(0, 0, 255), kRed = Rgb(255, 0, 0);

QPoint Centre(const Rect& r) { return QPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2); }

class PickerFixture : public testing::Test {
 protected:
  void SetUp() override {
    window_.resize(240, 80);
    picker_ = new CColourPickerXP(kId, &window_);
    picker_->setGeometry(10, 10, 36, 22);
    auto record = [this](int message) {
      return [this, message](std::uint32_t colour, int id) { notices_.emplace_back(message, colour, id); };
    };
    QObject::connect(picker_, &CColourPickerXP::selChange, record(2025));
    QObject::connect(picker_, &CColourPickerXP::dropDown, record(2026));
    QObject::connect(picker_, &CColourPickerXP::closeUp, record(2027));
    QObject::connect(picker_, &CColourPickerXP::selEndOk, record(2028));
    QObject::connect(picker_, &CColourPickerXP::selEndCancel, record(2029));
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }

  ColourPopup* Open() {
    QTest::mouseClick(picker_, Qt::LeftButton);
    // Closed popups wait for the event loop to delete them: take the open one.
    for (ColourPopup* popup : picker_->findChildren<ColourPopup*>()) {
      if (popup->isVisible()) return popup;
    }
    return nullptr;
  }

  QColorDialog* Dialog() { return window_.findChild<QColorDialog*>(QStringLiteral("moreColoursDialog")); }

  QWidget window_;
  CColourPickerXP* picker_ = nullptr;
  std::vector<Notice> notices_;
};

TEST_F(PickerFixture, OpensBelowTheButtonAndAcceptsTheSwatchReleasedOn) {
  EXPECT_EQ(picker_->GetColor(), kAutomaticColour);
  ColourPopup* popup = Open();
  ASSERT_NE(popup, nullptr);
  // The offscreen platform gives every window, frameless or not, the same 2-pixel frame offset.
  const QPoint frameOffset = window_.geometry().topLeft() - window_.frameGeometry().topLeft();
  EXPECT_EQ(popup->geometry().topLeft(), picker_->mapToGlobal(QPoint(0, 22)) + frameOffset);
  EXPECT_TRUE(picker_->IsDroppedDown());

  const QPoint blue = Centre(popup->Layout().SwatchRect(13));
  drawn_test::MoveMouse(popup, blue);  // tracking shows it at once
  EXPECT_EQ(picker_->GetColor(), kBlue);
  QTest::mouseRelease(popup, Qt::LeftButton, {}, blue);
  EXPECT_EQ(notices_, (std::vector<Notice>{{2026, kAutomaticColour, kId},
                                           {2025, kBlue, kId},
                                           {2027, kBlue, kId},
                                           {2028, kBlue, kId},
                                           {2025, kBlue, kId}}));
  EXPECT_EQ(picker_->GetColor(), kBlue);
  EXPECT_FALSE(picker_->IsDroppedDown());
  QCoreApplication::processEvents();
  EXPECT_EQ(picker_->findChild<ColourPopup*>(), nullptr);
}

TEST_F(PickerFixture, ReleaseOutsideOrClosingFromOutsideCancelsOnce) {
  picker_->SetColor(kRed);
  ColourPopup* popup = Open();
  ASSERT_NE(popup, nullptr);
  drawn_test::MoveMouse(popup, Centre(popup->Layout().SwatchRect(13)));
  QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint(-5, 40));
  EXPECT_EQ(notices_, (std::vector<Notice>{
                          {2026, kRed, kId}, {2025, kBlue, kId}, {2027, kRed, kId}, {2029, kRed, kId}}));
  EXPECT_EQ(picker_->GetColor(), kRed);

  notices_.clear();
  popup = Open();
  ASSERT_NE(popup, nullptr);
  emit qApp->applicationStateChanged(Qt::ApplicationInactive);  // the application loses activation
  EXPECT_FALSE(popup->isVisible());
  QTest::keyClick(picker_, Qt::Key_Escape);
  EXPECT_EQ(notices_, (std::vector<Notice>{{2026, kRed, kId}, {2027, kRed, kId}, {2029, kRed, kId}}));

  // A button that goes away with its palette open takes the palette with it, quietly.
  notices_.clear();
  ASSERT_NE(Open(), nullptr);
  delete picker_;
  picker_ = nullptr;
  QCoreApplication::processEvents();
  EXPECT_EQ(notices_, (std::vector<Notice>{{2026, kRed, kId}}));
}

TEST_F(PickerFixture, AutomaticRowAndNamedSwatchesAsDrawn) {
  picker_->SetDefaultColor(0x212121);
  ColourPopup* popup = Open();
  ASSERT_NE(popup, nullptr);
  QHelpEvent help(QEvent::ToolTip, Centre(popup->Layout().SwatchRect(35)), QPoint(0, 0));
  QApplication::sendEvent(popup, &help);
  EXPECT_EQ(QToolTip::text(), QStringLiteral("Pale green "));
  QToolTip::hideText();

  for (int ratio : {1, 2}) {
    const QImage image = drawn_test::Render(*popup, ratio);
    drawn_test::SavePicture(image, QStringLiteral("colour_popup_%1x.png").arg(ratio));
    for (int i : {0, 9, 20, 35, 39}) {
      const QPoint c = Centre(popup->Layout().SwatchRect(i));
      EXPECT_EQ(drawn_test::At(image, c.x(), c.y()), ToQColor(Palette()[static_cast<std::size_t>(i)].colour)) << i;
    }
  }
  QTest::mouseRelease(popup, Qt::LeftButton, {}, Centre(popup->Layout().AutomaticRect()));
  EXPECT_EQ(notices_.back(), (Notice{2028, kAutomaticColour, kId}));
  EXPECT_EQ(notices_.size(), 3u) << "automatic was already the colour";

  window_.resize(120, 40);
  picker_->SetColor(Rgb(0, 147, 0));
  drawn_test::SavePicture(drawn_test::Render(window_, 2), QStringLiteral("colour_button_2x.png"));
  EXPECT_EQ(drawn_test::At(drawn_test::Render(*picker_, 1), 8, 11), QColor(0, 147, 0));
}

TEST_F(PickerFixture, MoreColoursKeepsCustomColoursAcrossARestart) {
  QTemporaryDir dir;
  const QString file = dir.filePath(QStringLiteral("orvinta.conf"));
  const QColor defined(10, 20, 30);
  {
    QtSettingsStore store(file);
    picker_->SetSettingsStore(&store);
    picker_->SetColor(kRed);
    ColourPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    QTest::mouseRelease(popup, Qt::LeftButton, {}, Centre(popup->Layout().MoreRect()));
    QColorDialog* dialog = Dialog();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(dialog->currentColor(), QColor(255, 0, 0)) << "the current colour is preselected";
    EXPECT_EQ(QColorDialog::customColor(5), QColor(255, 255, 255)) << "missing custom colours are white";
    QColorDialog::setCustomColor(5, defined);  // as the user adds one
    dialog->setCurrentColor(QColor(0, 0, 255));
    dialog->accept();
    EXPECT_EQ(notices_, (std::vector<Notice>{
                            {2026, kRed, kId}, {2027, kBlue, kId}, {2028, kBlue, kId}, {2025, kBlue, kId}}));
    picker_->SetSettingsStore(nullptr);
    store.Flush();
  }

  // The next run: a new store over the same file, the dialog's memory wiped.
  for (int i = 0; i < kCustomColourCount; ++i) QColorDialog::setCustomColor(i, Qt::white);
  QtSettingsStore store(file);
  EXPECT_EQ(store.ReadNumber("RGB", "CUSTOM_COLOR_5"), ToColorRef(defined));
  picker_->SetSettingsStore(&store);
  notices_.clear();
  ColourPopup* popup = Open();
  ASSERT_NE(popup, nullptr);
  QTest::mouseRelease(popup, Qt::LeftButton, {}, Centre(popup->Layout().MoreRect()));
  QColorDialog* dialog = Dialog();
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(QColorDialog::customColor(5), defined);
  dialog->reject();
  EXPECT_EQ(notices_, (std::vector<Notice>{{2026, kBlue, kId}, {2027, kBlue, kId}, {2029, kBlue, kId}}));
  EXPECT_EQ(picker_->GetColor(), kBlue);
  picker_->SetSettingsStore(nullptr);
}

}  // namespace
}  // namespace orvinta::components
