// What a native transcript view would pay per line: laying out a chat line's
// text with QTextLayout (Korean wraps between words, an over-long word
// anywhere) at a view's width, and the memory of the laid-out lines kept.
//
//   QT_QPA_PLATFORM=offscreen transcript_layout_bench [lines] [width]   defaults: 10000 lines, 600 px
#include <malloc.h>

#include <QElapsedTimer>
#include <QFont>
#include <QGuiApplication>
#include <QTextLayout>
#include <QTextOption>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

QString Text(int n) {
  QString text = QStringLiteral("안녕하세요, 벤치마크 줄 번호 %1 오늘도 좋은 하루 보내세요 ").arg(n);
  if (n % 10 == 0) text += QString(200, QLatin1Char('x'));  // a word longer than the view
  return text;
}

// Lays the text out at `width`; the height it takes.
qreal LayOut(QTextLayout& layout, qreal width) {
  QTextOption option;
  option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
  layout.setTextOption(option);
  layout.setCacheEnabled(true);
  qreal y = 0;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(width);
    line.setPosition(QPointF(0, y));
    y += line.height();
  }
  layout.endLayout();
  return y;
}

}  // namespace

int main(int argc, char** argv) {
  QGuiApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
  const qreal width = argc > 2 ? std::atof(argv[2]) : 600;
  QFont font(QStringLiteral("NanumGothic"));
  font.setPixelSize(12);

  const std::size_t heapBefore = mallinfo2().uordblks;
  std::vector<std::unique_ptr<QTextLayout>> kept;
  kept.reserve(static_cast<std::size_t>(count));
  QElapsedTimer clock;
  clock.start();
  qreal height = 0;
  for (int i = 0; i < count; ++i) {
    kept.push_back(std::make_unique<QTextLayout>(Text(i), font));
    height += LayOut(*kept.back(), width);
  }
  const double firstMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  const double heapMiB = static_cast<double>(mallinfo2().uordblks - heapBefore) / (1024.0 * 1024.0);
  clock.restart();
  for (auto& layout : kept) LayOut(*layout, width - 100);  // the view is narrowed: every line again
  const double againMs = static_cast<double>(clock.nsecsElapsed()) / 1e6;
  std::printf("%d lines at %.0f px: first layout %.1f us a line, again at a new width %.1f us a line\n", count,
              width, firstMs * 1000 / count, againMs * 1000 / count);
  std::printf("laid-out lines kept: %.1f MiB (%.0f bytes a line), total height %.0f px\n", heapMiB,
              heapMiB * 1024 * 1024 / count, height);
  return 0;
}
