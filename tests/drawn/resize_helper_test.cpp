#include <gtest/gtest.h>

#include <QSizeGrip>
#include <QTest>
#include <memory>

#include "client/components/colour_picker/colour_picker_xp.h"
#include "client/components/resize/resize_helper.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "tests/drawn/drawn_test_support.h"

namespace orvinta::components {
namespace {

QWidget* Panel(QWidget& parent, const QRect& designed, const QColor& colour) {
  auto* panel = new QWidget(&parent);
  panel->setGeometry(designed);
  panel->setAutoFillBackground(true);
  QPalette palette = panel->palette();
  palette.setColor(QPalette::Window, colour);
  panel->setPalette(palette);
  return panel;
}

// A window shaped like the main window: strip, view, right pane, toolbar, input line.
struct Window {
  QWidget top;
  CRoomTabCtrl* tabs;
  QWidget* view;
  QWidget* pane;
  CColourPickerXP* colour;
  QWidget* input;
  std::unique_ptr<CResizeHelper> resize;

  Window() {
    top.resize(600, 415);
    tabs = new CRoomTabCtrl(&top);
    tabs->setGeometry(15, 37, 570, 26);
    for (const char* room : {"home", "room one", "room two"}) tabs->AddTab(room);
    tabs->SelectTab(1);
    view = Panel(top, QRect(15, 85, 380, 237), Qt::white);
    pane = Panel(top, QRect(399, 85, 186, 237), QColor(243, 243, 243));
    colour = new CColourPickerXP(1015, &top);
    colour->setGeometry(15, 326, 36, 22);
    input = Panel(top, QRect(15, 352, 570, 46), QColor(238, 250, 255));
    resize = std::make_unique<CResizeHelper>(top);
    resize->AddAnchor(tabs, kAnchorTopLeft, kAnchorTopRight);
    resize->AddAnchor(view, kAnchorTopLeft, kAnchorBottomRight);
    resize->AddAnchor(pane, kAnchorTopRight, kAnchorBottomRight);
    resize->AddAnchor(colour, kAnchorBottomLeft);
    resize->AddAnchor(input, kAnchorBottomLeft, kAnchorBottomRight);
  }
};

TEST(ResizeHelper, ChildrenFollowTheirAnchorsAndTheDesignIsTheMinimum) {
  Window w;
  w.top.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&w.top));
  EXPECT_EQ(w.top.minimumSize(), QSize(600, 415));
  EXPECT_TRUE(w.top.findChildren<QSizeGrip*>().isEmpty());

  // Smaller than designed is refused: the window stays at its design.
  const QSize sizes[] = {{800, 600}, {1000, 700}, {300, 200}};
  for (const QSize asked : sizes) {
    w.top.resize(asked);
    QCoreApplication::processEvents();
    const QSize s = asked.expandedTo(QSize(600, 415));
    const int dx = s.width() - 600, dy = s.height() - 415;
    EXPECT_EQ(w.top.size(), s);
    EXPECT_EQ(w.tabs->geometry(), QRect(15, 37, 570 + dx, 26));
    EXPECT_EQ(w.view->geometry(), QRect(15, 85, 380 + dx, 237 + dy));
    EXPECT_EQ(w.pane->geometry(), QRect(399 + dx, 85, 186, 237 + dy));
    EXPECT_EQ(w.colour->geometry(), QRect(15, 326 + dy, 36, 22));
    EXPECT_EQ(w.input->geometry(), QRect(15, 352 + dy, 570 + dx, 46));
    drawn_test::SavePicture(drawn_test::Render(w.top, 1), QStringLiteral("resized_%1x%2.png").arg(s.width()).arg(s.height()));
  }

  // A child that goes away leaves the layout; one removed stays where it is.
  delete w.pane;
  w.resize->RemoveAnchor(w.colour);
  w.top.resize(700, 500);
  QCoreApplication::processEvents();
  EXPECT_EQ(w.resize->Layout().Count(), 3u);
  EXPECT_EQ(w.colour->geometry(), QRect(15, 326, 36, 22));
  EXPECT_EQ(w.view->geometry(), QRect(15, 85, 480, 322));
}

TEST(ResizeHelper, AChildAddedWhileBelowTheDesignFollowsLikeTheOthers) {
  Window w;
  w.top.show();
  w.top.setMinimumSize(0, 0);  // as where no window manager keeps the minimum
  w.top.resize(500, 300);
  QCoreApplication::processEvents();
  auto* later = Panel(w.top, w.view->geometry(), Qt::white);  // where the view's stand-in stands
  w.resize->AddAnchor(later, kAnchorTopLeft, kAnchorBottomRight);
  w.top.resize(800, 600);
  QCoreApplication::processEvents();
  EXPECT_EQ(later->geometry(), w.view->geometry());
}

}  // namespace
}  // namespace orvinta::components
