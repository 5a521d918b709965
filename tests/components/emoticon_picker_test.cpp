// The emoticon pictures: the picker shows each keyword's own picture at 1x
// and 2x, the same drawing the portal serves; the popup stays on screen.
#include <gtest/gtest.h>

#include <QDir>
#include <QPainter>
#include <QToolButton>
#include <cstdlib>
#include <ostream>
#include <set>
#include <string>

#include "client/components/input/emoticon_art.h"
#include "client/components/input/emoticon_picker.h"

namespace orvinta::components {
namespace {

// Pixel for pixel, whatever the picture's device pixel ratio.
QImage OnWhite(QImage picture) {
  picture.setDevicePixelRatio(1.0);
  QImage flat(picture.size(), QImage::Format_RGB32);
  flat.fill(Qt::white);
  QPainter(&flat).drawImage(0, 0, picture);
  return flat;
}

bool HasDrawing(const QImage& image) {
  int covered = 0;
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x) covered += qAlpha(image.pixel(x, y)) > 128;
  return covered > image.width() * image.height() / 5;
}

TEST(EmoticonPicker, EachKeywordShowsItsOwnPictureInTableOrder) {
  EmoticonPicker picker;
  std::set<QByteArray> seen;
  for (std::size_t i = 0; i < EmoticonCount(); ++i) {
    SCOPED_TRACE(EmoticonKeyword(i).toStdString());
    auto* button = picker.findChild<QToolButton*>(QStringLiteral("emoticon%1").arg(i));
    ASSERT_NE(button, nullptr);
    EXPECT_EQ(button->toolTip(), EmoticonKeyword(i));

    const QImage single = button->icon().pixmap(QSize(kEmoticonPixels, kEmoticonPixels), 1.0).toImage();
    const QImage twice = button->icon().pixmap(QSize(kEmoticonPixels, kEmoticonPixels), 2.0).toImage();
    ASSERT_EQ(single.size(), QSize(20, 20));
    ASSERT_EQ(twice.size(), QSize(40, 40));
    // Compared premultiplied, as a pixmap keeps it.
    EXPECT_TRUE(single.convertToFormat(QImage::Format_ARGB32_Premultiplied) ==
                EmoticonImage(i).convertToFormat(QImage::Format_ARGB32_Premultiplied));
    EXPECT_TRUE(HasDrawing(single));
    EXPECT_TRUE(HasDrawing(twice));
    const QImage flat = OnWhite(twice);
    EXPECT_TRUE(seen.insert(QByteArray(reinterpret_cast<const char*>(flat.constBits()), flat.sizeInBytes())).second)
        << "the same picture as an earlier keyword";
  }
  EXPECT_TRUE(EmoticonIcon(EmoticonCount()).isNull());
}

// The portal's GIF (40 x 40, matted on white) and the client's @2x picture
// come from one drawing; a regenerated half without the other shows here.
TEST(EmoticonPicker, PortalPicturesMatchTheClientsPictures) {
  const QDir portal(QStringLiteral(ORVINTA_PORTAL_EMOTICONS));
  for (std::size_t i = 0; i < EmoticonCount(); ++i) {
    const QString name = QStringLiteral("icon_%1.gif").arg(i + 1, 2, 10, QLatin1Char('0'));
    SCOPED_TRACE(name.toStdString());
    const QImage gif(portal.filePath(name));
    ASSERT_EQ(gif.size(), QSize(40, 40));
    const QImage served = OnWhite(gif.convertToFormat(QImage::Format_ARGB32));
    const QImage shown = OnWhite(EmoticonImage(i, 2.0));
    long difference = 0;
    for (int y = 0; y < 40; ++y)
      for (int x = 0; x < 40; ++x) {
        const QRgb a = served.pixel(x, y), b = shown.pixel(x, y);
        difference += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b));
      }
    EXPECT_LT(difference / (40 * 40 * 3), 3);  // the GIF's palette costs a little
  }
}

struct PlacementCase {
  const char* name;
  QRect anchor;
  QPoint expected;
};

void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class PopupPlacement : public testing::TestWithParam<PlacementCase> {};

// A 200 x 100 popup on a screen whose free area is x 0..1919, y 0..1039
// (a task bar below), and on a second screen to its right.
TEST_P(PopupPlacement, StaysOnTheScreen) {
  const QRect first(0, 0, 1920, 1040);
  const QRect second(1920, 0, 1280, 1024);
  const QRect available = GetParam().anchor.x() >= 1920 ? second : first;
  const QSize popup(200, 100);
  const QPoint at = PopupTopLeft(GetParam().anchor, popup, available);
  EXPECT_EQ(at, GetParam().expected);
  EXPECT_TRUE(available.contains(QRect(at, popup)));
}

INSTANTIATE_TEST_SUITE_P(
    EmoticonPicker, PopupPlacement,
    testing::Values(PlacementCase{"BelowTheButton", QRect(100, 500, 24, 22), QPoint(100, 522)},
                    PlacementCase{"AboveNearTheBottom", QRect(100, 960, 24, 22), QPoint(100, 860)},
                    PlacementCase{"BelowWhenItJustFits", QRect(100, 918, 24, 22), QPoint(100, 940)},
                    PlacementCase{"MovedLeftAtTheRightEdge", QRect(1900, 500, 24, 22), QPoint(1720, 522)},
                    PlacementCase{"AboveAndLeftInTheCorner", QRect(1900, 1020, 24, 22), QPoint(1720, 920)},
                    PlacementCase{"MovedRightAtTheLeftEdge", QRect(-30, 500, 24, 22), QPoint(0, 522)},
                    PlacementCase{"OnTheSecondScreen", QRect(3150, 1000, 24, 22), QPoint(3000, 900)},
                    PlacementCase{"MovedDownAtTheTop", QRect(100, -40, 24, 22), QPoint(100, 0)}),
    [](const testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace orvinta::components
