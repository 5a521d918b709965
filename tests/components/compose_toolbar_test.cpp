#include <gtest/gtest.h>

#include <QComboBox>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <memory>
#include <vector>

#include "client/components/buttons/image_button.h"
#include "client/components/colour_picker/colour_picker_xp.h"
#include "client/components/input/compose_toolbar.h"
#include "client/components/input/emoticon_picker.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using platform::qt::ToCp949;

class ComposeToolbarTest : public testing::Test {
 protected:
  void SetUp() override {
    toolbar.show();
    for (auto signal : {&ComposeToolbar::faceChosen, &ComposeToolbar::sizeChosen, &ComposeToolbar::styleChanged,
                        &ComposeToolbar::emoticonChosen}) {
      spies.push_back(std::make_unique<QSignalSpy>(&toolbar, signal));
    }
    spies.push_back(std::make_unique<QSignalSpy>(&toolbar, &ComposeToolbar::colourChosen));
    spies.push_back(std::make_unique<QSignalSpy>(&toolbar, &ComposeToolbar::sendClicked));
  }
  int Reports() const {
    int total = 0;
    for (const auto& spy : spies) total += static_cast<int>(spy->count());
    return total;
  }
  template <typename T>
  T* Child(const char* name) {
    return toolbar.findChild<T*>(QString::fromLatin1(name));
  }

  ComposeToolbar toolbar;
  std::vector<std::unique_ptr<QSignalSpy>> spies;
};

TEST_F(ComposeToolbarTest, OffersTheFacesAndSizes) {
  auto* face = Child<QComboBox>("faceCombo");
  auto* size = Child<QComboBox>("sizeCombo");
  ASSERT_TRUE(face && size);
  ASSERT_EQ(face->count(), 4);
  EXPECT_EQ(face->itemText(3), QStringLiteral("궁서"));
  EXPECT_EQ(size->count(), 6);
  EXPECT_EQ(size->currentText(), QStringLiteral("9"));
  EXPECT_EQ(Child<CColourPickerXP>("textColourButton")->toolTip(), QStringLiteral("글자색 선택"));
  EXPECT_EQ(Child<CColourPickerXP>("backColourButton")->ControlId(), 1018);
  EXPECT_EQ(Child<QAbstractButton>("sendButton")->toolTip(), QStringLiteral("메세지 전송"));
  for (const char* name : {"boldButton", "italicButton", "underlineButton", "emoticonButton", "sendButton"}) {
    EXPECT_NE(Child<buttons::CImageButton>(name), nullptr) << name << " draws its own bitmap";
  }
}

TEST_F(ComposeToolbarTest, ShowsAStateWithoutReportingIt) {
  platform::ToolbarState state;
  state.faceName = ToCp949(QStringLiteral("돋움"));
  state.sizeText = "13";
  state.textColour = 0x0000FF;
  state.backColour = 0x804020;
  state.bold = true;
  state.underline = true;
  toolbar.ShowState(state);
  EXPECT_EQ(Reports(), 0);
  const platform::ToolbarState shown = toolbar.State();
  EXPECT_EQ(shown.faceName, state.faceName);
  EXPECT_EQ(shown.sizeText, "13");
  EXPECT_EQ(shown.textColour, 0x0000FFu);
  EXPECT_EQ(shown.backColour, 0x804020u);
  EXPECT_TRUE(shown.bold && shown.underline && !shown.italic);

  state.faceName = "Arial";
  state.sizeText = "12";  // no such entry: the size stays
  toolbar.ShowState(state);
  EXPECT_EQ(toolbar.State().faceName, ToCp949(QStringLiteral("굴림")));
  EXPECT_EQ(toolbar.State().sizeText, "13");
  EXPECT_EQ(Reports(), 0);
}

TEST_F(ComposeToolbarTest, ReportsUserChoices) {
  QSignalSpy faces(&toolbar, &ComposeToolbar::faceChosen);
  QSignalSpy sizes(&toolbar, &ComposeToolbar::sizeChosen);
  QSignalSpy styles(&toolbar, &ComposeToolbar::styleChanged);
  QSignalSpy sends(&toolbar, &ComposeToolbar::sendClicked);
  emit Child<QComboBox>("faceCombo")->activated(1);
  emit Child<QComboBox>("sizeCombo")->activated(5);
  QTest::mouseClick(Child<QAbstractButton>("italicButton"), Qt::LeftButton);
  QTest::mouseClick(Child<QAbstractButton>("underlineButton"), Qt::LeftButton);
  QTest::mouseClick(Child<QAbstractButton>("sendButton"), Qt::LeftButton);
  ASSERT_EQ(faces.count(), 1);
  EXPECT_EQ(faces.at(0).at(0).toInt(), 2);
  EXPECT_EQ(sizes.at(0).at(0).toInt(), 15);
  ASSERT_EQ(styles.count(), 2);
  EXPECT_EQ(styles.at(1).at(0).toInt(), 2 | 4);
  EXPECT_EQ(sends.count(), 1);
}

TEST_F(ComposeToolbarTest, TranscriptCommandsSitInTheRowWithTheirTips) {
  const struct {
    const char* name;
    int id;
    QString tip;
  } buttons[] = {{"clearButton", 1058, QStringLiteral("화면지우기")},
                 {"settingsButton", 1059, QStringLiteral("입력 단축키를 설정합니다")},
                 {"saveButton", 1060, QStringLiteral("채팅 내용을 저장합니다")}};
  for (const auto& b : buttons) {
    auto* button = Child<QAbstractButton>(b.name);
    ASSERT_NE(button, nullptr) << b.name;
    EXPECT_EQ(button->property("controlId").toInt(), b.id);
    EXPECT_EQ(button->toolTip(), b.tip);
  }
  QSignalSpy clears(&toolbar, &ComposeToolbar::clearScreenClicked);
  QSignalSpy settings(&toolbar, &ComposeToolbar::shortcutSettingsClicked);
  QSignalSpy saves(&toolbar, &ComposeToolbar::saveTranscriptClicked);
  for (const auto& b : buttons) QTest::mouseClick(Child<QAbstractButton>(b.name), Qt::LeftButton);
  EXPECT_EQ(clears.count(), 1);
  EXPECT_EQ(settings.count(), 1);
  EXPECT_EQ(saves.count(), 1);
}

TEST_F(ComposeToolbarTest, ColourPickersReportTheDropDownAndTheAcceptedColourOnly) {
  QSignalSpy colours(&toolbar, &ComposeToolbar::colourChosen);
  QSignalSpy drops(&toolbar, &ComposeToolbar::colourDroppedDown);
  auto* text = Child<CColourPickerXP>("textColourButton");
  auto* back = Child<CColourPickerXP>("backColourButton");
  emit text->dropDown(0x212121, 1015);
  emit text->selChange(0x0000FF, 1015);
  emit text->closeUp(0x0000FF, 1015);
  emit text->selEndOk(0x0000FF, 1015);
  emit back->dropDown(0xFFFFFF, 1018);
  emit back->selEndCancel(0xFFFFFF, 1018);
  ASSERT_EQ(drops.count(), 2);
  EXPECT_EQ(drops.at(1).at(0).toInt(), 1018);
  ASSERT_EQ(colours.count(), 1);
  EXPECT_EQ(colours.at(0).at(0).toUInt(), 0x0000FFu);
  EXPECT_EQ(colours.at(0).at(1).toInt(), 1015);
  EXPECT_EQ(toolbar.State().textColour, 0x0000FFu);

  // The automatic choice means each button's own default, and the button shows it.
  emit text->selEndOk(kAutomaticColour, 1015);
  emit back->selEndOk(kAutomaticColour, 1018);
  ASSERT_EQ(colours.count(), 3);
  EXPECT_EQ(colours.at(1).at(0).toUInt(), 0x212121u);
  EXPECT_EQ(colours.at(2).at(0).toUInt(), 0xFFFFFFu);
  EXPECT_EQ(colours.at(2).at(1).toInt(), 1018);
  EXPECT_EQ(toolbar.State().textColour, 0x212121u);
  EXPECT_EQ(toolbar.State().backColour, 0xFFFFFFu);
}

TEST_F(ComposeToolbarTest, EmoticonPickerReportsTheIndexOrMinusOne) {
  QSignalSpy chosen(&toolbar, &ComposeToolbar::emoticonChosen);
  QTest::mouseClick(Child<QAbstractButton>("emoticonButton"), Qt::LeftButton);
  auto* picker = toolbar.findChild<EmoticonPicker*>();
  ASSERT_NE(picker, nullptr);
  EXPECT_EQ(picker->findChildren<QToolButton*>().size(), 32);
  QTest::mouseClick(picker->findChild<QToolButton*>(QStringLiteral("emoticon5")), Qt::LeftButton);

  QTest::mouseClick(Child<QAbstractButton>("emoticonButton"), Qt::LeftButton);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  auto* second = toolbar.findChild<EmoticonPicker*>();
  ASSERT_NE(second, nullptr);
  second->close();
  ASSERT_EQ(chosen.count(), 2);
  EXPECT_EQ(chosen.at(0).at(0).toInt(), 5);
  EXPECT_EQ(chosen.at(1).at(0).toInt(), -1);
}

}  // namespace
}  // namespace orvinta::components
