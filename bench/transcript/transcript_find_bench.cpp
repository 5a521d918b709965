// Finds words in a room's native transcript view through its find bar, as
// Ctrl+F and typing do, and reports the time from the query to the answer
// (the count on the bar, the newest match selected and in view) in
// min/median/max over several repetitions.
//
//   transcript_find_bench [lines] [repetitions]
//   defaults: 100000 lines, 7 repetitions. Target: 50 ms at 100000 lines.
#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <algorithm>
#include <cstdio>
#include <vector>

#include "bench/transcript/transcript_page.h"
#include "client/components/transcript_find_bar.h"

namespace {

using namespace orvinta;

// A few lines name the needle, every tenth the program, every one the
// Korean word; nothing the zebra.
std::string Extra(int n) {
  if (n % 25000 == 12345) return " needle";
  return n % 10 == 0 ? " Orvinta" : "";
}

int Expected(const QString& word, int lines) {
  int count = 0;
  for (int n = 0; n < lines; ++n) {
    if (word == "needle") count += n % 25000 == 12345;
    if (word == "orvinta") count += n % 10 == 0;
  }
  return word == QStringLiteral("벤치마크") ? lines : count;
}

struct Times {
  double min, median, max;
};

Times Summary(std::vector<double> ms) {
  std::sort(ms.begin(), ms.end());
  return {ms.front(), ms[ms.size() / 2], ms.back()};
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  const int lines = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100000;
  const int repetitions = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

  auto transcript = bench::OpenTranscript();
  for (int n = 0; n < lines; ++n) transcript->Add(bench::ChatLine(n, Extra(n)));
  bench::Settle(*transcript);
  auto* bar = transcript->view->findChild<components::TranscriptFindBar*>();
  auto* edit = bar->findChild<QLineEdit*>();
  bar->Open();

  std::printf("%d lines; find through the bar, ms from the query to the answer (%d repetitions)\n", lines, repetitions);
  std::printf("%-10s %7s %8s %8s %8s\n", "word", "matches", "min", "median", "max");
  bool allMet = true, allRight = true;
  for (const QString& word : {QStringLiteral("needle"), QStringLiteral("orvinta"), QStringLiteral("벤치마크"),
                              QStringLiteral("zebra")}) {
    std::vector<double> wall;
    const int expected = Expected(word, lines);
    const QString answer = expected == 0 ? QStringLiteral("0/0") : QStringLiteral("%1/%1").arg(expected);
    for (int r = 0; r < repetitions; ++r) {
      edit->setText(QString());
      QElapsedTimer clock;
      clock.start();
      edit->setText(word);
      transcript->view->viewport()->repaint();
      wall.push_back(clock.nsecsElapsed() / 1e6);
      const QString selected = transcript->view->SelectedText().toLower();
      if (bar->CountText() != answer || selected != (expected ? word : QString())) {
        allRight = false;
        std::printf("  %s: answer %s, selected '%s'; expected %s\n", word.toUtf8().constData(),
                    qPrintable(bar->CountText()), selected.toUtf8().constData(), qPrintable(answer));
      }
    }
    const Times t = Summary(wall);
    allMet = allMet && t.median <= 50;
    std::printf("%-10s %7d %8.1f %8.1f %8.1f\n", word.toUtf8().constData(), expected, t.min, t.median, t.max);
  }
  std::printf("median within 50 ms: %s; answers %s\n", allMet ? "yes" : "no", allRight ? "right" : "WRONG");
  return allRight ? 0 : 1;
}
