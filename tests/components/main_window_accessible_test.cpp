// The main window as a screen reader reads it: every control's name, role and
// state, the drawn room tabs as a page tab list, the palette's rows.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>

#include "client/components/colour_picker/colour_popup.h"
#include "client/components/main_window.h"
#include "client/components/room_tabs/room_tab_ctrl.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

QAccessibleInterface* Read(MainWindow& window, const char* objectName) {
  auto* widget = window.findChild<QWidget*>(QLatin1String(objectName));
  return widget ? QAccessible::queryAccessibleInterface(widget) : nullptr;
}

struct Control {
  const char* object;
  const char* name;
  QAccessible::Role role;
  bool checkable = false, checked = false;
  const char* description = nullptr;
};

TEST(MainWindowAccessibility, EveryControlHasItsNameRoleAndState) {
  MainWindow window;
  platform::ToolbarState toolbar{platform::qt::ToCp949(QStringLiteral("굴림")), "9", 0x0000FF, 0xFFFFFF};
  toolbar.bold = true;
  window.ShowToolbarState(toolbar);
  window.SelectStatus(3);
  const auto B = QAccessible::Button;
  const Control controls[] = {
      {"boldButton", "굵게", B, true, true},
      {"italicButton", "기울임", B, true, false},
      {"underlineButton", "밑줄", B, true, false},
      {"emoticonButton", "이모티콘", B},
      {"settingsButton", "입력 단축키를 설정합니다", B},
      {"sendButton", "메세지 전송", B},
      {"connectButton", "대화를 종료합니다", B},
      {"textColourButton", "글자색 선택", B, false, false, "Red"},
      {"backColourButton", "배경색 선택", B, false, false, "White"},
      {"chatInput", "메세지 입력", QAccessible::EditableText},
      // On Linux a box is named by its value and labelled by the label before it.
      {"statusCombo", "자리비움", QAccessible::ComboBox},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.object);
    QAccessibleInterface* read = Read(window, c.object);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->text(QAccessible::Name), QString::fromUtf8(c.name));
    EXPECT_EQ(read->role(), c.role);
    EXPECT_EQ(read->state().checkable, c.checkable);
    EXPECT_EQ(read->state().checked, c.checked);
    if (c.description) EXPECT_EQ(read->text(QAccessible::Description), QString::fromUtf8(c.description));
  }
  const auto labels = Read(window, "statusCombo")->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("내 현재 상태"));
}

TEST(MainWindowAccessibility, RoomTabsArePageTabsWithTitlesNewsAndClosing) {
  MainWindow window;
  for (const char* title : {"오르빈타 홈", "로비", "둘째 방"}) window.InsertTab(platform::qt::ToCp949(QString::fromUtf8(title)));
  window.SelectTab(1);
  window.SetTabImage(2, 1);
  QAccessibleInterface* strip = Read(window, "roomTabs");
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->role(), QAccessible::PageTabList);
  const struct {
    const char* name;
    bool selected;
    const char* news;
    bool closes;
  } tabs[] = {{"오르빈타 홈", false, "", false}, {"로비", true, "", true}, {"둘째 방", false, "새 메시지", true}};
  ASSERT_EQ(strip->childCount(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    QAccessibleInterface* tab = strip->child(i);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_EQ(tab->text(QAccessible::Name), QString::fromUtf8(tabs[i].name));
    EXPECT_EQ(tab->state().selected, tabs[i].selected);
    EXPECT_EQ(tab->text(QAccessible::Description), QString::fromUtf8(tabs[i].news));
    EXPECT_EQ(tab->actionInterface()->actionNames().contains(QStringLiteral("close")), tabs[i].closes);
    EXPECT_EQ(strip->indexOfChild(tab), i);
  }
  // Pressing a tab chooses it as a click does; closing asks the window, later.
  QSignalSpy chosen(&window.Tabs(), &CRoomTabCtrl::tabSelected);
  QSignalSpy closing(&window.Tabs(), &CRoomTabCtrl::closeRequested);
  strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  EXPECT_EQ(chosen.value(0).value(0), 2);
  EXPECT_TRUE(strip->child(2)->state().selected && !strip->child(1)->state().selected);
  strip->child(1)->actionInterface()->doAction(QStringLiteral("close"));
  EXPECT_TRUE(closing.wait(1000));
  EXPECT_EQ(closing.value(0).value(0), 1);
}

TEST(MainWindowAccessibility, PaletteRowsAreNamedByTheirColours) {
  ColourPopup palette(nullptr, {0x0000FF, 0, QStringLiteral("Automatic"), QStringLiteral("More Colors...")});
  QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(&palette);
  ASSERT_EQ(rows->childCount(), 42);
  EXPECT_EQ(rows->child(1)->text(QAccessible::Name), QStringLiteral("Black"));  // after "Automatic"
  EXPECT_EQ(rows->child(41)->text(QAccessible::Name), QStringLiteral("More Colors..."));
  EXPECT_TRUE(rows->child(17)->state().selected);  // red, the colour in force, and the hot row
  EXPECT_EQ(rows->focusChild(), rows->child(17));
}

}  // namespace
}  // namespace orvinta::components
