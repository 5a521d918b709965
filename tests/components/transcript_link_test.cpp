// Links and the mouse in a room's native transcript view, offscreen: a click
// hands a web address to the opener and the view stays where it is; a drag
// selects across lines; no browser taking a link is told to the logic.
#include <gtest/gtest.h>

#include <QFile>
#include <QMouseEvent>
#include <QTemporaryDir>
#include <QTest>

#include "client/compose/chat_line.h"
#include "client/components/browser_opener.h"
#include "client/components/transcript/line_layout.h"
#include "client/components/transcript/qt_transcript_view.h"
#include "tests/components/transcript_view_fixture.h"
#include "tests/fakes/qt_spin.h"

namespace orvinta::components {
namespace {

struct ClickCase {
  const char* name;
  window::TranscriptLine line;
  QString opened;  // what reaches the opener; empty: nothing
};

void PrintTo(const ClickCase& c, std::ostream* os) { *os << c.name; }

// A line whose link run holds `address`, as no received line could make it.
window::TranscriptLine LinkLine(const std::string& address) {
  window::TranscriptLine line = TranscriptViewTest::Chat("x");
  line.text = address;
  line.runs = {{window::TextRun::Kind::Link, 0, static_cast<std::uint32_t>(address.size())}};
  return line;
}

// The middle of the first link of the view's only line, in the viewport.
QPoint FirstLinkCentre(const window::TranscriptLine& line, int width) {
  const auto laid = transcript::LayOut(line, {}, width);
  if (laid->links.empty()) return {-1, -1};
  const QTextLine row = laid->text.lineForTextPosition(laid->links[0].start);
  const qreal x = (row.cursorToX(laid->links[0].start) + row.cursorToX(laid->links[0].start + 1)) / 2;
  return (laid->textAt + QPointF(x, row.y() + row.height() / 2) + QPointF(0, transcript::kLineMargin)).toPoint();
}

class TranscriptLinkClick : public TranscriptViewTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(TranscriptLinkClick, OpensOnlyWebAddressesAndStaysPut) {
  std::vector<QUrl> opened;
  view.SetLinkOpener([&](const QUrl& url) { opened.push_back(url); });
  Add(GetParam().line);
  view.Flush();
  const QPoint at = FirstLinkCentre(GetParam().line, view.viewport()->width());
  ASSERT_GE(at.x(), 0);
  QMouseEvent move(QEvent::MouseMove, at, view.viewport()->mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
  QApplication::sendEvent(view.viewport(), &move);
  EXPECT_EQ(view.viewport()->cursor().shape(), Qt::PointingHandCursor);
  QTest::mouseClick(view.viewport(), Qt::LeftButton, {}, at);
  ASSERT_EQ(opened.size(), GetParam().opened.isEmpty() ? 0u : 1u);
  if (!opened.empty()) EXPECT_EQ(opened[0].toString(), GetParam().opened);
  EXPECT_EQ(view.TopLine(), 0u);
  EXPECT_EQ(view.SelectedText(), QString());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TranscriptLinkClick,
    ::testing::Values(
        ClickCase{"WebAddress", TranscriptViewTest::Chat("see http://example.com/a?b=1&c=2."), "http://example.com/a?b=1&c=2"},
        // Lines never carry these, but were one in the transcript, it is refused.
        ClickCase{"OtherScheme", LinkLine("ftp://a.b/"), ""},
        ClickCase{"ProgramPage", LinkLine("res://orvinta/154"), ""}),
    [](const auto& info) { return std::string(info.param.name); });

using TranscriptMouse = TranscriptViewTest;

TEST_F(TranscriptMouse, DragSelectsAcrossLines) {
  for (const char* text : {"alpha", "beta", "gamma"}) Add(Chat(text));
  view.Flush();
  const int row = view.viewport()->height();  // below the last line: its end
  QTest::mousePress(view.viewport(), Qt::LeftButton, {}, QPoint(transcript::kTextLeft + 1, 8));
  QTest::mouseMove(view.viewport(), QPoint(transcript::kTextLeft + 200, row - 2));
  QTest::mouseRelease(view.viewport(), Qt::LeftButton, {}, QPoint(transcript::kTextLeft + 200, row - 2));
  EXPECT_EQ(view.SelectedText(), QStringLiteral("alpha\nn ▶ beta\nn ▶ gamma"));
  QTest::mouseDClick(view.viewport(), Qt::LeftButton, {}, QPoint(transcript::kTextLeft + 3, 8));
  EXPECT_EQ(view.SelectedText(), QStringLiteral("alpha"));
}

// The desktop's opener finds no browser (as xdg-open without one): the caller hears of it.
TEST(BrowserOpener, TellsWhenNoBrowserTookTheAddress) {
  QTemporaryDir bin;
  ASSERT_TRUE(QFile::link("/bin/false", bin.filePath("xdg-open")));
  const QByteArray path = qgetenv("PATH");
  qputenv("PATH", bin.path().toLocal8Bit());
  bool failed = false;
  OpenInBrowser(QUrl("http://example.com/"), qApp, [&] { failed = true; });
  EXPECT_TRUE(Spin([&] { return failed; }));

  // From a view the factory made, the room's logic hears of it.
  struct Listener : window::TranscriptViewListener {
    int told = 0;
    void OnLinkNotOpened() override { ++told; }
  } listener;
  window::TranscriptLines lines;
  const window::TranscriptLine line = TranscriptViewTest::Chat("http://example.com/");
  lines.Add(line);
  QtTranscriptViewFactory factory(nullptr, {});
  auto view = factory.Create(lines);
  view->SetListener(&listener);
  auto* widget = static_cast<QtTranscriptView&>(*view).Widget();
  widget->resize(500, 300);
  view->Show(true);
  view->LinesAdded();
  widget->Flush();
  QTest::mouseClick(widget->viewport(), Qt::LeftButton, {}, FirstLinkCentre(line, widget->viewport()->width()));
  EXPECT_TRUE(Spin([&] { return listener.told == 1; }));
  qputenv("PATH", path);
}

}  // namespace
}  // namespace orvinta::components
