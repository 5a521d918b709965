// The main window as a screen reader reads it: every control's name, role and
// state, and the drawn room tabs as a page tab list.
#include <gtest/gtest.h>

#include <QAccessible>
#include <QSignalSpy>

#include "client/components/colour_picker/colour_popup.h"
#include "client/components/input/emoticon_art.h"
#include "client/components/input/emoticon_picker.h"
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
  QString name;
  QAccessible::Role role;
  bool checkable = false;
  bool checked = false;
  QString description = {};
};

TEST(MainWindowAccessibility, EveryControlHasItsNameRoleAndState) {
  MainWindow window;
  platform::ToolbarState toolbar{platform::qt::ToCp949(QStringLiteral("굴림")), "9", 0x0000FF, 0xFFFFFF};
  toolbar.bold = true;
  window.ShowToolbarState(toolbar);
  window.SelectStatus(3);

  const Control controls[] = {
      {"boldButton", QStringLiteral("굵게"), QAccessible::Button, true, true},
      {"italicButton", QStringLiteral("기울임"), QAccessible::Button, true, false},
      {"underlineButton", QStringLiteral("밑줄"), QAccessible::Button, true, false},
      {"emoticonButton", QStringLiteral("이모티콘"), QAccessible::Button},
      {"clearButton", QStringLiteral("화면지우기"), QAccessible::Button},
      {"settingsButton", QStringLiteral("입력 단축키를 설정합니다"), QAccessible::Button},
      {"saveButton", QStringLiteral("채팅 내용을 저장합니다"), QAccessible::Button},
      {"sendButton", QStringLiteral("메세지 전송"), QAccessible::Button},
      {"connectButton", QStringLiteral("대화를 종료합니다"), QAccessible::Button},
      {"textColourButton", QStringLiteral("글자색 선택"), QAccessible::Button, false, false, QStringLiteral("Red")},
      {"backColourButton", QStringLiteral("배경색 선택"), QAccessible::Button, false, false, QStringLiteral("White")},
      {"chatInput", QStringLiteral("메세지 입력"), QAccessible::EditableText},
      // On Linux a box is named by its value and labelled by the label before it.
      {"statusCombo", QStringLiteral("자리비움"), QAccessible::ComboBox},
  };
  for (const Control& c : controls) {
    SCOPED_TRACE(c.object);
    QAccessibleInterface* read = Read(window, c.object);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(read->text(QAccessible::Name), c.name);
    EXPECT_EQ(read->role(), c.role);
    EXPECT_EQ(read->state().checkable, c.checkable);
    EXPECT_EQ(read->state().checked, c.checked);
    if (!c.description.isNull()) EXPECT_EQ(read->text(QAccessible::Description), c.description);
  }
  const auto labels = Read(window, "statusCombo")->relations(QAccessible::Label);
  ASSERT_EQ(labels.size(), 1);
  EXPECT_EQ(labels[0].first->text(QAccessible::Name), QStringLiteral("내 현재 상태"));

  // A style button toggled by a screen reader's action says so.
  QAccessibleInterface* italic = Read(window, "italicButton");
  italic->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
  EXPECT_TRUE(italic->state().checked);
}

struct Tab {
  QString name;
  bool selected;
  QString description;
  bool closes;
};

TEST(MainWindowAccessibility, RoomTabsArePageTabsWithTitlesNewsAndClosing) {
  MainWindow window;
  window.resize(600, 415);
  for (const char* title : {"오르빈타 홈", "로비", "둘째 방"}) window.InsertTab(platform::qt::ToCp949(QString::fromUtf8(title)));
  window.SelectTab(1);
  window.SetTabImage(2, 1);

  QAccessibleInterface* strip = Read(window, "roomTabs");
  ASSERT_NE(strip, nullptr);
  EXPECT_EQ(strip->role(), QAccessible::PageTabList);
  const Tab tabs[] = {{QStringLiteral("오르빈타 홈"), false, QString(), false},
                      {QStringLiteral("로비"), true, QString(), true},
                      {QStringLiteral("둘째 방"), false, QStringLiteral("새 메시지"), true}};
  ASSERT_EQ(strip->childCount(), 3);
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(i);
    QAccessibleInterface* tab = strip->child(i);
    ASSERT_NE(tab, nullptr);
    EXPECT_EQ(tab->role(), QAccessible::PageTab);
    EXPECT_EQ(tab->text(QAccessible::Name), tabs[i].name);
    EXPECT_EQ(tab->state().selected, tabs[i].selected);
    EXPECT_EQ(tab->text(QAccessible::Description), tabs[i].description);
    EXPECT_EQ(tab->actionInterface()->actionNames().contains(QStringLiteral("close")), tabs[i].closes);
    EXPECT_EQ(strip->indexOfChild(tab), i);
  }

  // Pressing a tab chooses it as a click does; closing asks the window, later.
  QSignalSpy chosen(&window.Tabs(), &CRoomTabCtrl::tabSelected);
  QSignalSpy closing(&window.Tabs(), &CRoomTabCtrl::closeRequested);
  strip->child(2)->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
  ASSERT_EQ(chosen.count(), 1);
  EXPECT_EQ(chosen[0][0].toInt(), 2);
  EXPECT_TRUE(strip->child(2)->state().selected);
  EXPECT_FALSE(strip->child(1)->state().selected);
  strip->child(1)->actionInterface()->doAction(QStringLiteral("close"));
  EXPECT_TRUE(closing.wait(1000));
  EXPECT_EQ(closing[0][0].toInt(), 1);

  window.DeleteTab(2);
  EXPECT_EQ(strip->childCount(), 2);
}

TEST(MainWindowAccessibility, PickersNameTheirColoursAndEmoticons) {
  ColourPopup palette(nullptr, {0x0000FF, 0, QStringLiteral("Automatic"), QStringLiteral("More Colors...")});
  QAccessibleInterface* rows = QAccessible::queryAccessibleInterface(&palette);
  ASSERT_EQ(rows->childCount(), 42);
  EXPECT_EQ(rows->child(0)->text(QAccessible::Name), QStringLiteral("Automatic"));
  EXPECT_EQ(rows->child(1)->text(QAccessible::Name), QStringLiteral("Black"));
  EXPECT_EQ(rows->child(41)->text(QAccessible::Name), QStringLiteral("More Colors..."));
  EXPECT_TRUE(rows->child(17)->state().selected);  // red, the colour in force
  EXPECT_TRUE(rows->focusChild() == rows->child(17));

  EmoticonPicker picker;
  auto* cell = picker.findChild<QWidget*>(QStringLiteral("emoticon3"));
  EXPECT_EQ(QAccessible::queryAccessibleInterface(cell)->text(QAccessible::Name), EmoticonKeyword(3));
}

}  // namespace
}  // namespace orvinta::components
