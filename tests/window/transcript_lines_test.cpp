// A room's lines are kept by the window: the transcript read back for saving
// is made from them and is the same, byte for byte, as the page they fed.
#include "client/window/line_html.h"
#include "client/window/mention.h"
#include "client/window/text_filters.h"
#include "client/window/transcript_source.h"
#include "client/window/saving/saved_document.h"
#include "tests/window/window_fixture.h"

namespace orvinta::window {
namespace {

using platform::BoxAnswer;

struct LinesCase {
  const char* name;
  std::function<void(COrvintaDlg&)> feed;
};

class TranscriptLinesTest : public WindowTest, public ::testing::WithParamInterface<LinesCase> {
 protected:
  void SetUp() override {
    Create();
    OpenRoom("a");
    dlg->BringChannelToFront("#a");
  }
  // What the saver reads for the room.
  std::string ReadBack() {
    std::string html = "(none)";
    WindowTranscripts transcripts(dlg->Channels());
    EXPECT_TRUE(transcripts.ReadTranscript("#a", [&](const std::string& read) { html = read; }));
    return html;
  }
  // The page's transcript as the real page reads it back: the mention tint is the page's look only.
  std::string PageTranscript() {
    return ReplaceAll(ViewOf("#a").Inner("CHAT_MAIN"), " CLASS='fixed " + std::string(kMentionClass) + "'",
                      " CLASS=fixed");
  }
};

TEST_P(TranscriptLinesTest, ReadBackAndSavedFileAreThePageByteForByte) {
  // Half the lines come before the page has loaded, half after.
  GetParam().feed(*dlg);
  GetParam().feed(*dlg);
  const std::string page = PageTranscript();
  EXPECT_EQ(ReadBack(), page);
  EXPECT_EQ(saving::SavedDocument(ReadBack()), saving::SavedDocument(page));
}

void Chat(COrvintaDlg& dlg, std::string_view line) { dlg.AddMessage("#a", "bob", line); }

INSTANTIATE_TEST_SUITE_P(
    LineKinds, TranscriptLinesTest,
    ::testing::Values(
        LinesCase{"Banner", [](COrvintaDlg&) {}},
        LinesCase{"PlainChat", [](COrvintaDlg& d) { Chat(d, "|212121|9|굴림|FFFFFF|0|밥|안녕하세요 50%% a%%7Cb"); }},
        LinesCase{"StyledDarkAvatar", [](COrvintaDlg& d) { Chat(d, "BIU|FF0000|11|돋움|000080|1234|밥|굵게"); }},
        LinesCase{"EscapedMarkupAndScript",
                  [](COrvintaDlg& d) { Chat(d, "|333333|9|굴림|FFFFFF|7|밥|<b>x</b> <SCRIPT>javascript:vbscript"); }},
        LinesCase{"EmoticonsBreaksAndLinks",
                  [](COrvintaDlg& d) {
                    Chat(d, "|333333|9|바탕|FFFFFF|0|밥|/미소 봐<BR>http://a.b/c?d=1&amp;e=(2). /선물/울음<br>끝");
                  }},
        LinesCase{"MentionOfTheUser", [](COrvintaDlg& d) { Chat(d, "|333333|9|굴림|FFFFFF|0|밥|앨리스 안녕"); }},
        LinesCase{"InfoLinesOfEachColour",
                  [](COrvintaDlg& d) {
                    d.AddInfoLine("#a", "<BR><B>☆☆ %s님이 입장하셨습니다 ☆☆</B><BR><BR>", {"<img src=x>'"});
                    d.AddInfoLine("#a", "[찬성] %s", {"밥"});
                    d.AddInfoLine("#a", "plain %s", {"&"});
                  }},
        LinesCase{"DroppedLines", [](COrvintaDlg& d) { Chat(d, "|333333|9|굴림|FFFFFF|0||no nick"); }}),
    [](const ::testing::TestParamInfo<LinesCase>& info) { return std::string(info.param.name); });

TEST_F(TranscriptLinesTest, ClearedScreenReadsBackOnlyTheTwoNotices) {
  Chat(*dlg, "|333333|9|굴림|FFFFFF|0|밥|gone");
  boxes.answers.push_back(BoxAnswer::Yes);
  dlg->Transcript().OnClearScreen();
  EXPECT_EQ(ReadBack(), PageTranscript());
  EXPECT_EQ(ReadBack(), std::string(ClearedNoticeHtml()) + "\n" + std::string(ClearedWarningHtml()) +
                            "\n<SPAN ID=END_LINE></SPAN>");
}

TEST_F(TranscriptLinesTest, AChatLineKeepsEmoticonsBreaksAndLinksAsRuns) {
  Chat(*dlg, "|333333|9|굴림|FFFFFF|0|밥|a/미소<BR>http://x.y b");
  const TranscriptLines& lines = dlg->Channels().FindByName("#a")->view->Lines();
  ASSERT_EQ(lines.size(), 2u);  // the banner, then the line
  using K = TextRun::Kind;
  std::vector<K> kinds;
  for (const TextRun& run : lines[1].runs) kinds.push_back(run.kind);
  EXPECT_EQ(kinds, (std::vector<K>{K::Text, K::Emoticon, K::LineBreak, K::Link, K::Text}));
  EXPECT_EQ(lines[1].text, "ahttp://x.y b");
  EXPECT_EQ(lines[1].runs[1].emoticon, 0);
}

}  // namespace
}  // namespace orvinta::window
