// The main window's own widgets offscreen: the drawn tab strip, the bands,
// the anchors at several sizes, the views it is given to place, and the
// pictures at 1x and 2x.
#include <gtest/gtest.h>

#include <QColorDialog>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include "client/components/colour_picker/colour_picker_xp.h"
#include "client/components/colour_picker/colour_popup.h"
#include "client/components/input/static_line.h"
#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "client/components/web_view.h"
#include "platform/qt/qt_text.h"
#include "tests/drawn/drawn_test_support.h"

namespace orvinta::components {
namespace {

using platform::qt::ToCp949;

// A view with a plain widget, so the window can be tested without a browser.
class PlainView final : public WidgetView {
 public:
  void SetListener(platform::HtmlViewListener*) override {}
  void Navigate(const std::string&) override {}
  void SetElementHtml(const std::string&, const std::string&) override {}
  void AppendBeforeMarker(const std::string&, const std::string&) override {}
  void GetElementHtml(const std::string&, HtmlCallback) override {}
  void ScrollToMarker(const std::string&) override {}
  void Show(bool visible) override { widget_->setVisible(visible); }
  QWidget* Widget() const override { return widget_.get(); }

 private:
  std::unique_ptr<QWidget> widget_ = std::make_unique<QWidget>();
};

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const QString& room : {QStringLiteral("오르빈타 홈"), QStringLiteral("밥님과의 1:1 대화"),
                                QStringLiteral("주말 등산 모임 이야기방")}) {
      window_.InsertTab(ToCp949(room));
    }
    window_.SelectTab(1);
    window_.SetTabImage(2, 1);
    window_.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window_));
  }
  template <typename T>
  T* Child(const char* name) {
    return window_.findChild<T*>(QLatin1String(name));
  }

  MainWindow window_;
};

TEST_F(MainWindowTest, ControlsFollowTheirAnchorsAndTheDesignIsTheSmallest) {
  EXPECT_EQ(window_.minimumSize(), QSize(600, 415));
  const struct {
    QSize asked;
    QSize expected;
  } sizes[] = {{{800, 600}, {800, 600}}, {{300, 200}, {600, 415}}, {{1024, 415}, {1024, 415}}};
  for (const auto& s : sizes) {
    window_.resize(s.asked);
    QCoreApplication::processEvents();
    const int w = s.expected.width(), h = s.expected.height();
    EXPECT_EQ(window_.size(), s.expected);
    EXPECT_EQ(window_.Tabs().geometry(), QRect(15, 37, w - 30, 26));
    EXPECT_EQ(Child<QWidget>("viewArea")->geometry(), QRect(15, 88, w - 220, h - 185));
    EXPECT_EQ(Child<QWidget>("chatInput")->geometry().bottom(), h - 30);
    EXPECT_EQ(Child<QAbstractButton>("connectButton")->geometry().right(), w - 16);
    EXPECT_EQ(Child<CStaticLine>("rightBand")->geometry().left(), w - 15);
  }
}

TEST_F(MainWindowTest, AWindowForcedBelowItsDesignKeepsTheDesignedArrangement) {
  // As where no window manager holds the minimum: the controls stay put, clipped.
  window_.setMinimumSize(0, 0);
  window_.resize(300, 200);
  QCoreApplication::processEvents();
  EXPECT_EQ(window_.size(), QSize(300, 200));
  EXPECT_EQ(window_.Tabs().geometry(), QRect(15, 37, 570, 26));
  EXPECT_EQ(Child<QWidget>("chatInput")->geometry(), QRect(19, 351, 551, 35));
}

TEST_F(MainWindowTest, ViewsLieOnTheirPlaceAndFollowItUntilReleased) {
  window_.resize(700, 500);
  PlainView transcript, pane;
  window_.PlaceView(platform::HtmlViewRole::Home, transcript);
  window_.PlaceView(platform::HtmlViewRole::Welcome, pane);
  EXPECT_EQ(transcript.Widget()->geometry(), Child<QWidget>("viewArea")->geometry());
  EXPECT_EQ(pane.Widget()->geometry(), Child<QWidget>("paneArea")->geometry());
  window_.resize(900, 650);
  QCoreApplication::processEvents();
  EXPECT_EQ(transcript.Widget()->geometry(), QRect(15, 88, 680, 465));
  EXPECT_EQ(pane.Widget()->geometry(), QRect(699, 88, 186, 465));

  window_.ReleaseView(transcript);
  EXPECT_EQ(transcript.Widget()->parentWidget(), nullptr);
  window_.resize(700, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(transcript.Widget()->geometry(), QRect(15, 88, 680, 465));
}

TEST_F(MainWindowTest, ALongTitleIsCutAndShownWholeInItsTooltip) {
  const QString whole = QStringLiteral("<b>아주 긴 방 제목</b> ") + QString(60, QChar(u'가'));
  window_.SetTitleText(ToCp949(whole));
  auto* title = Child<QLabel>("titleLine");
  EXPECT_TRUE(title->text().endsWith(QChar(0x2026))) << title->text().toStdString();
  // The tooltip is rich text: the title's own markup arrives escaped.
  EXPECT_TRUE(title->toolTip().contains(QStringLiteral("&lt;b&gt;"))) << title->toolTip().toStdString();

  window_.resize(1600, 415);
  QCoreApplication::processEvents();
  EXPECT_EQ(title->text(), whole);
  EXPECT_TRUE(title->toolTip().isEmpty());
}

TEST_F(MainWindowTest, DrawsTheStripAndTheBandsAtOneAndTwoTimes) {
  window_.SetTitleText(ToCp949(QStringLiteral("밥님과의 1:1 대화")));
  for (const int ratio : {1, 2}) {
    const QImage image = drawn_test::Render(window_, ratio);
    drawn_test::SavePicture(image, QStringLiteral("main_window_%1x.png").arg(ratio));
    EXPECT_EQ(drawn_test::At(image, 5, 32), QColor(252, 252, 252)) << ratio;   // the window
    EXPECT_EQ(drawn_test::At(image, 300, 62), QColor(179, 179, 179)) << ratio; // the strip's base line
    EXPECT_EQ(drawn_test::At(image, 9, 200), QColor(179, 179, 179)) << ratio;  // left band, outer line
    EXPECT_EQ(drawn_test::At(image, 11, 200), QColor(227, 227, 227)) << ratio; // left band, its body
    EXPECT_EQ(drawn_test::At(image, 140, 41), QColor(255, 255, 255)) << ratio; // the current tab
  }
  // A 1:1 room's title is shown whole in its tab at the designed width.
  EXPECT_FALSE(window_.Tabs().IsTextCut(1));
}

TEST_F(MainWindowTest, CustomColoursAreKeptInOrvintaConfBesideTheConfiguration) {
  QTemporaryDir home;
  qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
  window_.KeepCustomColoursBesideConfig();
  qunsetenv("XDG_CONFIG_HOME");
  auto* picker = Child<CColourPickerXP>("textColourButton");
  picker->DropDown();
  ColourPopup* popup = picker->findChild<ColourPopup*>();
  ASSERT_NE(popup, nullptr);
  const Rect more = popup->Layout().MoreRect();
  QTest::mouseRelease(popup, Qt::LeftButton, {}, QPoint((more.left + more.right) / 2, (more.top + more.bottom) / 2));
  auto* dialog = window_.findChild<QColorDialog*>(QStringLiteral("moreColoursDialog"));
  ASSERT_NE(dialog, nullptr);
  QColorDialog::setCustomColor(3, QColor(1, 2, 3));
  dialog->reject();
  const QSettings kept(home.filePath(QStringLiteral("orvinta/orvinta.conf")), QSettings::IniFormat);
  EXPECT_EQ(kept.value(QStringLiteral("RGB/CUSTOM_COLOR_3")).toUInt(), 0x030201u);
}

}  // namespace
}  // namespace orvinta::components
