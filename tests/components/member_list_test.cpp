// The native member list: what a new list repaints, what a click names, and
// what screen readers are given.
#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "client/components/member_list/member_list_pane.h"
#include "client/components/member_list/member_row_delegate.h"
#include "client/components/member_list/status_pictures.h"
#include "client/components/status_icons.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

class Clicks final : public platform::MemberListListener {
 public:
  void OnMemberButtonUp(const std::string& id) override { ids.push_back(id); }
  std::vector<std::string> ids;
};

// Labels cross the port as code page 949; this file is compiled as UTF-8.
std::string Cp949(const char* text) { return platform::qt::ToCp949(QString::fromUtf8(text)); }

std::vector<platform::MemberRow> Rows(int bobStatus, bool withCarol = false) {
  std::vector<platform::MemberRow> rows{{"_1a", Cp949("하나(1a)"), ":/none.gif", 0},
                                        {"bob", Cp949("밥(bob)"), ":/none.gif", bobStatus}};
  if (withCarol) rows.push_back({"carol", Cp949("캐럴(carol)"), ":/other.gif", 0});
  return rows;
}

TEST(MemberListPane, RepaintsOnlyChangedRowsNamesClickedMembersAndSpeaksRows) {
  MemberListPane pane;
  pane.resize(186, 300);
  pane.Show(true);
  const QAbstractItemModel& model = pane.Model();
  pane.SetRows(Rows(0));
  QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
  QSignalSpy reset(&model, &QAbstractItemModel::modelReset);

  pane.SetRows(Rows(0));  // nothing new: nothing to repaint
  pane.SetRows(Rows(3));  // a status change: that row only
  ASSERT_EQ(changed.count(), 1);
  EXPECT_EQ(changed[0][0].toModelIndex().row(), 1);
  EXPECT_EQ(changed[0][1].toModelIndex().row(), 1);
  EXPECT_EQ(reset.count(), 0);
  pane.SetRows(Rows(3, true));  // someone came: laid out again
  EXPECT_EQ(reset.count(), 1);

  EXPECT_EQ(model.index(0, 0).data(Qt::AccessibleTextRole).toString(), QStringLiteral("하나(1a), 온라인"));
  EXPECT_EQ(model.index(1, 0).data(Qt::AccessibleTextRole).toString(), QStringLiteral("밥(bob), 자리비움"));
  EXPECT_EQ(model.index(1, 0).data(Qt::AccessibleDescriptionRole).toString(), QStringLiteral("자리비움"));
  EXPECT_EQ(model.index(0, 0).data(MemberListModel::IconSlotRole), model.index(1, 0).data(MemberListModel::IconSlotRole));

  Clicks clicks;
  pane.SetListener(&clicks);
  QWidget* viewport = pane.List().viewport();
  const int rowHeight = MemberRowDelegate::kRowHeight;
  QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(90, rowHeight / 2));
  QTest::mouseClick(viewport, Qt::LeftButton, {}, QPoint(90, rowHeight + rowHeight / 2));
  QTest::mouseClick(viewport, Qt::RightButton, {}, QPoint(90, 5 * rowHeight));  // below the rows
  EXPECT_EQ(clicks.ids, (std::vector<std::string>{"_1a", "bob", ""}));
  pane.SetListener(nullptr);

  pane.SetCount(3);
  EXPECT_EQ(pane.Count(), 3u);
}

TEST(MemberListPane, StatusCellsShowThePortalsPictureOnceItHasComeAndTheMarkUntilThenOrWithout) {
  QTemporaryDir portal;  // its s1 is a green square, its s2 is missing
  QDir(portal.path()).mkpath(QStringLiteral("img/status"));
  QImage green(16, 16, QImage::Format_RGB32);
  green.fill(0x00C800);
  ASSERT_TRUE(green.save(portal.filePath(QStringLiteral("img/status/s1.gif")), "PNG"));
  StatusPictures pictures(QUrl::fromLocalFile(portal.path() + QLatin1Char('/')).toString());
  MemberListPane pane(&pictures);
  pane.resize(186, 300);
  pane.SetRows({{"bob", "bob", ":/none.gif", 1}, {"carol", "carol", ":/none.gif", 2}});
  pane.List().doItemsLayout();  // now, not at the next turn of the event loop
  const auto statusCentre = [&pane](int row) {  // rows are 176 wide, centred; the cell is their last 25 pixels
    return pane.List().viewport()->grab().toImage().pixel(5 + 176 - 13, row * MemberRowDelegate::kRowHeight + 12);
  };
  const auto mark = [](int status) { return StatusIcon(status).pixmap(16, 16).toImage().pixel(8, 8); };
  EXPECT_EQ(statusCentre(0), mark(1)) << "not come yet";
  ASSERT_TRUE(QSignalSpy(&pictures, &StatusPictures::arrived).wait(5000));
  QTest::qWait(100);  // the missing one fails meanwhile
  EXPECT_EQ(statusCentre(0), 0xFF00C800u);
  EXPECT_EQ(statusCentre(1), mark(2)) << "failed";
}

}  // namespace
}  // namespace orvinta::components
