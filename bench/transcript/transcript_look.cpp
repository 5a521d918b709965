// Draws a native transcript with every kind of line into a PNG, to look at
// against the page it replaces.
//
//   transcript_look out.png [width] [height]
//   transcript_look --window [seconds]   the same lines in the main window, to take a screenshot of
// ORVINTA_LOOK_PORTAL=http://host:port/ takes the pictures from a portal there.
#include <QApplication>
#include <QPixmap>
#include <QTimer>
#include <cstring>

#include "bench/transcript/bench_line.h"
#include "client/components/main_window.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "client/components/transcript/transcript_widget.h"
#include "client/window/line_html.h"
#include "platform/cp949.h"

using namespace orvinta;

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  window::PortalConfig portal;
  if (const QByteArray base = qgetenv("ORVINTA_LOOK_PORTAL"); !base.isEmpty()) {
    portal.imageBase = base.toStdString();
    portal.emoticonBase = portal.imageBase + "img/emot/";
  }
  window::TranscriptLines lines;
  const auto chat = [&](const char* wire, bool mention = false) {
    auto line = window::ChatLineFrom(compose::ParseChatLine(platform::FromLocalText(wire)), portal);
    if (!line) return;
    line->mention = mention;
    lines.Add(*line);
  };
  lines.Add(window::BannerLine());
  lines.Add(window::InfoLine(platform::FromLocalText("<BR><B>☆☆ 벨보님이 입장하셨습니다 ☆☆</B><BR><BR>")));
  chat("|1F5FBF|10|굴림|FFFFFF|1001|오르빈봇|안녕하세요 &lt;태그&gt; 반갑습니다 /미소 끝");
  chat("B|CC0000|12|돋움|212121|1002|어두운닉네임이아주길어요|굵은 글씨 http://example.com/a?b=1 링크", true);
  chat("IU|006600|9|바탕|FFEEAA|0|밑줄|기울임과 밑줄<BR>두 번째 줄 가나다라마바사아자차카타파하 가나다라마바사아자차카타파하 가나다라마바사아자차카타파하 가나다라마바사아자차카타파하");
  chat(("|333333|10|굴림|FFFFFF|0|긴단어|" + std::string(300, 'x')).c_str());
  lines.Add(window::InfoLine(platform::FromLocalText("<BR><B>▷▶ 누구님의 강제 추방이 진행중입니다 ◀◁</B><BR>")));
  lines.Add(window::InfoLine(platform::FromLocalText("[찬성] 또는 [반대]를 선택하세요<BR><BR>")));
  lines.Add(window::ClearedNoticeLine());
  lines.Add(window::ClearedWarningLine());
  for (int i = 0; i < 3; ++i) lines.Add(*window::ChatLineFrom(bench::BenchLine(i), portal));
  if (argc > 1 && std::strcmp(argv[1], "--window") == 0) {
    components::MainWindow window;
    window.show();
    components::QtTranscriptViewFactory factory(&window, portal);
    auto shown = factory.Create(lines);
    shown->Show(true);
    shown->LinesAdded();
    QTimer::singleShot((argc > 2 ? std::atoi(argv[2]) : 5) * 1000, &app, &QApplication::quit);
    return app.exec();
  }
  components::TranscriptWidget view(lines, portal);
  view.resize(argc > 2 ? std::atoi(argv[2]) : 600, argc > 3 ? std::atoi(argv[3]) : 520);
  view.SetShown(true);
  view.LinesAdded();
  view.Flush();
  view.Find(QStringLiteral("반갑"));
  // Pictures come over the network: a moment for them.
  QTimer::singleShot(qEnvironmentVariableIsEmpty("ORVINTA_LOOK_PORTAL") ? 0 : 1500, &app, &QApplication::quit);
  app.exec();
  const QString out = QString::fromLocal8Bit(argc > 1 ? argv[1] : "look.png");
  view.grab().save(out);
  // The reader's place: lines that came while the room was hidden start
  // behind the unread marker, and the bar counts them.
  view.Find(QString());
  view.SetShown(false);
  for (int i = 3; i < 40; ++i) lines.Add(*window::ChatLineFrom(bench::BenchLine(i), portal));
  view.LinesAdded();
  view.SetShown(true);
  app.processEvents();
  view.grab().save(QString(out).replace(QLatin1String(".png"), QLatin1String("-reading.png")));
  return 0;
}
