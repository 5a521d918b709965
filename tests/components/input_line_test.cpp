#include <gtest/gtest.h>

#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTextBlock>

#include "client/app/key_filter.h"
#include "client/components/input/caret_rest.h"
#include "client/components/input/chat_input_edit.h"
#include "platform/qt/qt_text.h"

namespace orvinta::components {
namespace {

using platform::qt::ToCp949;

std::string Cp(const char* utf8) { return ToCp949(QString::fromUtf8(utf8)); }

// The format of the character at `position` (the one after the caret there).
QTextCharFormat FormatAt(QTextEdit& edit, int position) {
  QTextCursor cursor(edit.document());
  cursor.setPosition(position + 1);
  return cursor.charFormat();
}

class InputLineTest : public testing::Test {
 protected:
  void SetUp() override {
    edit.resize(400, 60);
    edit.show();
  }
  CChatInputEdit edit;
};

TEST_F(InputLineTest, StartsInNinePointGulim) {
  EXPECT_EQ(edit.DefaultFormat().fontFamilies().toStringList(), QStringList{QStringLiteral("굴림")});
  EXPECT_EQ(edit.DefaultFormat().fontPointSize(), 9);
}

TEST_F(InputLineTest, DefaultFormatAppliesToNewAndExistingText) {
  edit.InsertText("old");
  edit.SetDefaultFormat(10, 0x0000FF, 1 | 4, 3);
  edit.InsertText("new");
  for (int position : {0, 4}) {
    const QTextCharFormat format = FormatAt(edit, position);
    EXPECT_EQ(format.fontFamilies().toStringList(), QStringList{QStringLiteral("돋움")}) << position;
    EXPECT_EQ(format.fontPointSize(), 10);
    EXPECT_EQ(format.foreground().color(), QColor(255, 0, 0));
    EXPECT_EQ(format.fontWeight(), QFont::Bold);
    EXPECT_TRUE(format.fontUnderline());
    EXPECT_FALSE(format.fontItalic());
  }
}

TEST_F(InputLineTest, MarksOnlyTheAddressAsALink) {
  edit.SetDefaultFormat(9, 0x000000, 0, 1);
  edit.InsertText(Cp("보세요 HTTP://a.b/c 여기"), 0x00FF00, 2);  // green italic before the link
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("보세요 HTTP://a.b/c 여기"));

  const QTextCharFormat before = FormatAt(edit, 0);
  EXPECT_FALSE(before.isAnchor());
  EXPECT_EQ(before.foreground().color(), QColor(0, 255, 0));
  EXPECT_TRUE(before.fontItalic());

  const QTextCharFormat link = FormatAt(edit, 6);
  EXPECT_TRUE(link.isAnchor());
  EXPECT_EQ(link.anchorHref(), QStringLiteral("HTTP://a.b/c"));
  EXPECT_TRUE(FormatAt(edit, 15).isAnchor());

  const QTextCharFormat after = FormatAt(edit, 16);  // the space after the link
  EXPECT_FALSE(after.isAnchor());
  EXPECT_FALSE(after.fontItalic());
  EXPECT_EQ(after.foreground().color(), QColor(0, 0, 0));
}

TEST_F(InputLineTest, TextWithALinkInsertedMidLineStaysInOrder) {
  edit.SetText("AB");
  QTextCursor caret = edit.textCursor();
  caret.setPosition(1);
  edit.setTextCursor(caret);
  edit.InsertText("x ftp://y z");
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("Ax ftp://y zB"));
  EXPECT_EQ(edit.textCursor().position(), 13);  // the caret ends at the end of the line
}

TEST_F(InputLineTest, ClickingALinkNeitherOpensItNorMovesTheCaret) {
  edit.InsertText("mms://m.n end");
  QTextCursor caret = edit.textCursor();
  caret.setPosition(11);
  edit.setTextCursor(caret);
  QTextCursor onLink(edit.document());
  onLink.setPosition(3);
  const QPoint point = edit.cursorRect(onLink).center() + QPoint(2, 0);
  ASSERT_FALSE(edit.anchorAt(point).isEmpty());
  QTest::mouseClick(edit.viewport(), Qt::LeftButton, {}, point);
  EXPECT_EQ(edit.textCursor().position(), 11);
  EXPECT_EQ(edit.LastClickedLink(), QStringLiteral("mms://m.n"));
}

TEST_F(InputLineTest, ReadsTextEmoticonAndTextInOrder) {
  edit.SetText(Cp("안녕"));
  ASSERT_TRUE(edit.InsertEmoticon(Cp("/미소"), 2, 2));
  edit.InsertText(Cp(" 잘가"));  // typed right after the picture
  ASSERT_TRUE(edit.InsertEmoticonAtSelection(Cp("/선물")));
  EXPECT_EQ(edit.GetTextWithCodes(), Cp("안녕/미소 잘가/선물"));

  edit.ClearText();
  EXPECT_EQ(edit.GetTextWithCodes(), "");
}

TEST_F(InputLineTest, AnUnknownEmoticonCodeChangesNothing) {
  edit.SetText("abc");
  EXPECT_FALSE(edit.InsertEmoticon(Cp("/없음"), 0, 3));
  EXPECT_FALSE(edit.InsertEmoticon("", 0, 3));
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("abc"));
  EXPECT_EQ(edit.GetTextWithCodes(), "abc");
}

TEST_F(InputLineTest, EmoticonReplacesTheGivenRange) {
  edit.SetText("abcd");
  ASSERT_TRUE(edit.InsertEmoticon(Cp("/커피"), 1, 3));
  EXPECT_EQ(edit.GetTextWithCodes(), Cp("a/커피d"));
}

TEST_F(InputLineTest, CharactersCodePage949CannotHoldTravelAsReferences) {
  edit.setPlainText(QStringLiteral("좋아요 😀 👍 — x"));
  EXPECT_EQ(edit.GetTextWithCodes(), Cp("좋아요 &#128512; &#128077; &#8212; x"));
}

TEST_F(InputLineTest, EnterSendsInsteadOfBreakingTheLine) {
  QSignalSpy sent(&edit, &CChatInputEdit::sendRequested);
  QTest::keyClicks(&edit, "hi");
  QTest::keyClick(&edit, Qt::Key_Return);
  QTest::keyClick(&edit, Qt::Key_Enter, Qt::ShiftModifier);
  EXPECT_EQ(sent.count(), 2);
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("hi"));
}

// Counts the function keys that get past the application's key filter.
class FunctionKeyCounter final : public QObject {
 public:
  int passed = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      passed += key >= Qt::Key_F1 && key <= Qt::Key_F10;
    }
    return false;
  }
};

TEST_F(InputLineTest, FunctionKeysReachTheWindowAndGoOnUnlessConsumed) {
  std::array<std::string, 10> texts;
  texts[0] = Cp("안녕하세요");
  texts[9] = "bye http://x";
  app::KeyFilter filter(edit, edit, {.preTranslate = {}, .functionKey = [&](int n) {
                                       if (!texts[n - 1].empty()) edit.InsertText(texts[n - 1]);
                                       return n == 10;
                                     }});
  qApp->installEventFilter(&filter);
  FunctionKeyCounter counter;
  edit.installEventFilter(&counter);
  QTest::keyClick(&edit, Qt::Key_F1);
  QTest::keyClick(&edit, Qt::Key_F2);  // empty: nothing
  QTest::keyClick(&edit, Qt::Key_F10);
  qApp->removeEventFilter(&filter);
  EXPECT_EQ(edit.toPlainText(), QStringLiteral("안녕하세요bye http://x"));
  EXPECT_TRUE(FormatAt(edit, 10).isAnchor());
  EXPECT_EQ(counter.passed, 2);  // F1 and F2 go on to their usual handling, F10 does not
}

// The caret rests (stops blinking, stays drawn) when nobody types, and
// blinks again at the next key.
TEST_F(InputLineTest, CaretRestsAfterAQuietSpellAndBlinksAgainOnAKey) {
  const int desktopBlink = QApplication::cursorFlashTime();
  ASSERT_GT(desktopBlink, 0);
  CaretRest rest(nullptr, 50);
  qApp->installEventFilter(&rest);
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::cursorFlashTime() == 0; }, 2000));
  QTest::keyClick(&edit, Qt::Key_A);
  EXPECT_EQ(QApplication::cursorFlashTime(), desktopBlink);
  qApp->removeEventFilter(&rest);
  QApplication::setCursorFlashTime(desktopBlink);
}

}  // namespace
}  // namespace orvinta::components
