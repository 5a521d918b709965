#include <gtest/gtest.h>

#include <QImage>

#include "client/components/input/emoticon_art.h"
#include "client/components/input/static_input_line.h"
#include "client/components/input/static_line.h"
#include "client/components/input/static_title.h"

namespace orvinta::components {
namespace {

const QColor kUnpainted(1, 2, 3);

QImage Paint(QWidget& widget, int width, int height) {
  widget.resize(width, height);
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(kUnpainted);
  widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
  return image;
}

TEST(FrameStatics, InputLineIsARoundedWhiteFieldWithAStrip) {
  CStaticInputLine line;
  const QImage image = Paint(line, 100, 30);
  EXPECT_EQ(image.pixelColor(1, 0), QColor(252, 252, 252));   // rounded corner
  EXPECT_EQ(image.pixelColor(2, 0), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(0, 1), QColor(252, 252, 252));
  EXPECT_EQ(image.pixelColor(0, 2), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(88, 15), QColor(255, 255, 255));  // last column of the field
  EXPECT_EQ(image.pixelColor(89, 15), QColor(238, 250, 255));  // the 11-pixel strip
  EXPECT_EQ(image.pixelColor(99, 0), QColor(238, 250, 255));

  line.SetHidden(true);
  EXPECT_EQ(Paint(line, 100, 30).pixelColor(50, 15), kUnpainted);
}

TEST(FrameStatics, TitleIsGreenWithWhiteCorners) {
  CStaticTitle title;
  title.SetText(QStringLiteral("입력 단축키 설정"));
  const QImage image = Paint(title, 200, 24);
  for (QPoint corner : {QPoint(0, 0), QPoint(1, 0), QPoint(0, 1), QPoint(199, 23), QPoint(198, 23)}) {
    EXPECT_EQ(image.pixelColor(corner), QColor(255, 255, 255)) << corner.x() << "," << corner.y();
  }
  EXPECT_EQ(image.pixelColor(1, 1), QColor(136, 198, 149));
  EXPECT_EQ(image.pixelColor(195, 12), QColor(136, 198, 149));
  title.SetHidden(true);
  EXPECT_EQ(Paint(title, 200, 24).pixelColor(10, 10), kUnpainted);
}

TEST(FrameStatics, LineStylesPaintTheirBandsFromThePalette) {
  CStaticLine line;
  line.SetStyle(7);
  line.SetCaption(QStringLiteral("접속자"));
  QImage image = Paint(line, 120, 40);
  EXPECT_EQ(image.pixelColor(0, 20), QColor(179, 179, 179));
  EXPECT_EQ(image.pixelColor(8, 20), QColor(227, 227, 227));
  EXPECT_EQ(image.pixelColor(119, 20), QColor(179, 179, 179));

  line.SetStyle(2);
  EXPECT_TRUE(line.Caption().isEmpty());
  image = Paint(line, 20, 10);
  EXPECT_EQ(image.pixelColor(19, 5), QColor(179, 179, 179));
  EXPECT_EQ(image.pixelColor(0, 5), QColor(252, 252, 252));

  line.SetStyle(3, true);
  EXPECT_EQ(Paint(line, 20, 10).pixelColor(0, 5), kUnpainted);
}

TEST(EmoticonArt, ThirtyTwoDistinctPictures) {
  ASSERT_EQ(EmoticonCount(), 32u);
  for (std::size_t i = 0; i < EmoticonCount(); ++i) {
    const QImage image = EmoticonImage(i);
    ASSERT_EQ(image.size(), QSize(20, 20));
    for (std::size_t j = 0; j < i; ++j) EXPECT_NE(image, EmoticonImage(j)) << i << " " << j;
  }
  EXPECT_TRUE(EmoticonImage(32).isNull());
  EXPECT_EQ(EmoticonKeyword(12), QStringLiteral("/요술지팡이"));
}

}  // namespace
}  // namespace orvinta::components
