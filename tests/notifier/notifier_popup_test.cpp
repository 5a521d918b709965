// The popup window offscreen: where it stands, how it is flagged, and a
// picture of each kind (saved under the build folder's tests/notifier/pictures).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QMouseEvent>
#include <memory>

#include "client/components/notifier/notifier_painting.h"
#include "client/components/notifier/notifier_skins.h"
#include "client/components/notifier/qt_prompt_popups.h"
#include "platform/cp949.h"
#include "tests/fakes/fake_timers.h"

namespace orvinta::components {
namespace {

std::string Cp949(const char* utf8) { return platform::Utf8ToCp949(utf8).value_or(""); }

// The logic over the real window, driven by the manual clock.
struct PopupOnClock {
  explicit PopupOnClock(PopupPlacement placement = PopupPlacement::TopLevel) : surface(&owner, placement) {
    owner.setGeometry(100, 100, 640, 480);
    owner.show();
    timers.SetHandler([this](int id) { logic.OnTimer(id); });
    surface.Attach(&logic);
  }
  ~PopupOnClock() { surface.Attach(nullptr); }
  void Show(NotifierKind kind, const char* utf8Text) {
    logic.Announce(WindowSettingsFor(kind), {}, Cp949(utf8Text), kind);
    timers.Advance(600);
  }
  QImage Picture() { return surface.popup()->grab().toImage().convertToFormat(QImage::Format_RGB32); }

  QWidget owner;
  fakes::FakeTimers timers;
  QtNotifierSurface surface;
  CTaskbarNotifier logic{surface, timers};
};

bool HasRed(const QImage& image, const QRect& area) {
  for (int y = area.top(); y <= area.bottom(); ++y)
    for (int x = area.left(); x <= area.right(); ++x) {
      const QColor c = image.pixelColor(x, y);
      if (c.red() > 200 && c.green() < 90 && c.blue() < 90) return true;
    }
  return false;
}

struct KindCase {
  const char* name;
  NotifierKind kind;
  const char* text;
  bool framed;
};

void PrintTo(const KindCase& c, std::ostream* os) { *os << c.name; }

class PopupPictures : public testing::TestWithParam<KindCase> {};

TEST_P(PopupPictures, FullHeightInTheOwnersCorner) {
  const auto& c = GetParam();
  PopupOnClock popup;
  popup.Show(c.kind, c.text);
  NotifierPopup* window = popup.surface.popup();
  ASSERT_TRUE(window->isVisible());
  EXPECT_EQ(window->size(), QSize(225, 130));
  const QRect owner = popup.owner.frameGeometry();
  EXPECT_EQ(window->geometry().right(), owner.right() - 5);
  EXPECT_EQ(window->geometry().bottom(), owner.bottom() - 5);
  EXPECT_TRUE(window->windowFlags().testFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowDoesNotAcceptFocus));
  EXPECT_TRUE(window->testAttribute(Qt::WA_ShowWithoutActivating));
  EXPECT_NE(QApplication::activeWindow(), window);

  const QImage image = popup.Picture();
  QDir().mkpath(ORVINTA_NOTIFIER_PICTURES);
  image.save(QStringLiteral(ORVINTA_NOTIFIER_PICTURES "/%1.png").arg(c.name));
  EXPECT_EQ(image.pixelColor(72, 100) == QColor(116, 116, 116), c.framed);
  EXPECT_EQ(image.pixelColor(73, 103) == QColor(255, 255, 255), c.framed);
  EXPECT_FALSE(HasRed(image, QRect(70, 100, 86, 20)));

  if (!c.framed) return;
  popup.logic.OnPointerMove({80, 110});
  const QImage hovered = popup.Picture();
  hovered.save(QStringLiteral(ORVINTA_NOTIFIER_PICTURES "/%1-hover.png").arg(c.name));
  EXPECT_TRUE(HasRed(hovered, QRect(70, 100, 40, 20)));
  EXPECT_FALSE(HasRed(hovered, QRect(116, 100, 40, 20)));
}

INSTANTIATE_TEST_SUITE_P(
    Notifier, PopupPictures,
    testing::Values(
        KindCase{"invitation", NotifierKind::Invitation,
                 "앨리스님이 초대했습니다.\n1:1 대화에 참여 하시려면\n참여 버튼을 누르세요", true},
        KindCase{"vote", NotifierKind::Vote, "철수님의\n강제추방이 진행중입니다.\n찬성 또는 반대를 선택하세요.", true},
        KindCase{"notice", NotifierKind::Notice,
                 "강제추방 당하셨습니다\n강퇴는 과반수 이상 동의하면\n 자동으로 이루어집니다.", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(NotifierPopup, OverlayRisesInsideTheOwnerUncoveringTheSkinsTop) {
  PopupOnClock popup(PopupPlacement::Overlay);
  popup.logic.Announce(WindowSettingsFor(NotifierKind::Invitation), {}, "x", NotifierKind::Invitation);
  NotifierPopup* window = popup.surface.popup();
  EXPECT_FALSE(window->isVisible());  // no height yet
  popup.timers.Advance(100);
  EXPECT_EQ(window->height(), 25);
  EXPECT_EQ(popup.Picture().pixelColor(100, 1), QColor(0xFA, 0x8A, 0x12));  // the skin's top stripe
  popup.timers.Advance(500);
  EXPECT_FALSE(window->isWindow());
  EXPECT_EQ(window->parentWidget(), &popup.owner);
  EXPECT_EQ(window->geometry(), QRect(640 - 225 - 5, 480 - 5 - 130, 225, 130));
  EXPECT_EQ(PlacementForPlatform(QStringLiteral("wayland")), PopupPlacement::Overlay);
  EXPECT_EQ(PlacementForPlatform(QStringLiteral("xcb")), PopupPlacement::TopLevel);
}

TEST(NotifierPopup, LongLinesEndWithAnEllipsisShortOnesStay) {
  const QFont font = FontOf({"", 90, 0});
  const TextPlacement cut = PlacementOf(kWindowTextFormat);
  const QString longLine(200, QChar(u'가'));
  const QString drawn = LineAsDrawn(longLine, font, 217, cut);
  EXPECT_TRUE(drawn.endsWith(QChar(0x2026)));
  EXPECT_LE(QFontMetrics(font).horizontalAdvance(drawn), 217);
  EXPECT_EQ(LineAsDrawn(QStringLiteral("짧은"), font, 217, cut), QStringLiteral("짧은"));
  EXPECT_EQ(LineAsDrawn(longLine, font, 217, PlacementOf(kDrawCenter)), longLine);

  const QFont styled = FontOf({"", 120, kFontBold | kFontItalic | kFontUnderline});
  EXPECT_TRUE(styled.pointSizeF() == 12.0 && styled.bold() && styled.italic() && styled.underline());
}

TEST(NotifierSkins, DrawnAtOneAndTwoTimes) {
  for (int id : {kInvitationSkin, kVoteSkin}) {
    EXPECT_EQ(NotifierSkin(id, 1.0).size(), QSize(225, 130));
    EXPECT_EQ(NotifierSkin(id, 2.0).deviceIndependentSize(), QSizeF(225, 130));
  }
  EXPECT_NE(NotifierSkin(217, 1.0).toImage(), NotifierSkin(229, 1.0).toImage());
  EXPECT_TRUE(NotifierSkin(1, 1.0).isNull());
  QDir().mkpath(ORVINTA_NOTIFIER_PICTURES);
  const QImage two = NotifierSkin(217, 2.0).toImage();
  two.save(QStringLiteral(ORVINTA_NOTIFIER_PICTURES "/skin217@2x.png"));
}

TEST(QtPromptPopups, AClickOnTheWindowAnswersTheOwner) {
  QWidget owner;
  owner.setGeometry(100, 100, 640, 480);
  owner.show();
  auto popups = std::make_unique<QtPromptPopups>(&owner, PopupPlacement::TopLevel);
  std::vector<NotifierAnswer> answers;
  popups->popups().SetAnswerHandler([&](const NotifierAnswer& a) { answers.push_back(a); });
  popups->popups().ShowPrompt(NotifierKind::Invitation, "x", {"a", "b", "id", "nick", "#Pchat1^2"});
  QMouseEvent release(QEvent::MouseButtonRelease, QPointF(80, 110), QPointF(80, 110), Qt::LeftButton,
                      Qt::NoButton, Qt::NoModifier);
  QCoreApplication::sendEvent(popups->window(), &release);
  ASSERT_EQ(answers.size(), 1u);
  EXPECT_TRUE(answers[0].accepted);
  EXPECT_EQ(answers[0].data[4], "#Pchat1^2");
  popups.reset();  // taken down mid-slide: nothing more arrives
  EXPECT_EQ(answers.size(), 1u);
}

TEST(QtPromptPopups, OutlivesItsOwnerWindow) {
  auto owner = std::make_unique<QWidget>();
  owner->show();
  QtPromptPopups popups(owner.get(), PopupPlacement::Overlay);
  popups.popups().ShowPrompt(NotifierKind::Vote, "x", {});
  owner.reset();  // the main window goes first, and its child popup with it
  EXPECT_EQ(popups.window(), nullptr);
  popups.popups().notifier().Hide();
}

}  // namespace
}  // namespace orvinta::components
